#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "convert/ean/AiRow.h"
#include "convert/ean/BarcodeInfoSink.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/EANRead.h"
#include "support/Harness.h"
#include "text/InterchangeStr.h"
#include "settings/Settings.h"

namespace orbelin::test {

/// Keeps every barcode information text it is given.
struct RecordingBarcodeInfo : convert::ean::BarcodeInfoSink {
  std::vector<std::string> texts;
  void setBarcodeInfo(std::string_view text) override { texts.emplace_back(text); }
  /// The text the monitor shows now.
  std::string shown() const { return texts.empty() ? std::string{} : texts.back(); }
};

/// A table row with Out true; SetNo is its position unless given.
inline convert::ean::AiRow aiRow(std::string ai, int maxLen, int plus = 0, int mark = 0, int setNo = 0) {
  return convert::ean::AiRow{ai, "NAME " + ai, maxLen, plus, mark, true, setNo};
}

/// Numbers the rows' SetNo 1, 2, 3 ... where it is 0.
inline convert::ean::AiTable numbered(convert::ean::AiTable rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].setNo == 0) rows[i].setNo = static_cast<int>(i + 1);
  }
  return rows;
}

/// text with every "<GS>" turned into the byte 29 it stands for in a transcript.
inline std::string withSeparators(std::string_view text) { return text::replaceAllBytes(text, "<GS>", "\x1D"); }

/// The default settings with EANSend "3" (identifiers in brackets).
inline settings::Settings bracketSettings() {
  settings::Settings s = settings::Settings::defaults();
  s.set(settings::Setting::EANSend, "3");
  return s;
}

/// What EANRead makes of record with the delivered table; a failure it reports fails the
/// calling test.
inline std::string readWithDeliveredTable(std::string_view record, const settings::Settings& s) {
  Harness h;
  RecordingBarcodeInfo monitor;
  std::string typed = convert::ean::EANRead(record, s, convert::ean::builtInAiTable(), h.reporter, monitor);
  EXPECT_TRUE(h.transcript.lines().empty()) << record;
  return typed;
}

}  // namespace orbelin::test
