#include "convert/MakeSendData.h"

#include "convert/ByteEdit.h"
#include "codec/Cp932.h"
#include "text/InterchangeStr.h"

namespace orbelin::convert {

namespace {

using settings::Setting;

// The rows run in order on the code page 932 bytes, so a later row sees the output of an
// earlier one; converting once instead of per row gives the same bytes.
std::string substitute(std::string_view text, const settings::EditTables& tables) {
  std::string bytes = codec::toCp932(text);
  for (const auto& pair : tables.substitutions) {
    if (!pair.beforeWorking.empty()) {
      bytes = text::replaceAllBytes(bytes, codec::toCp932(pair.beforeWorking), codec::toCp932(pair.afterWorking));
    }
  }
  return codec::fromCp932(bytes);
}

}  // namespace

std::string MakeSendData(std::string_view data, const settings::Settings& settings,
                         const settings::EditTables& tables, report::FailureReporter& reporter) {
  if (data.empty()) return {};
  try {
    std::string text(data);
    if (settings.isOn(Setting::ByteEd) && !text.empty()) text = applyByteEdit(text, tables.byteEdits);
    if (settings.isOn(Setting::Chikan) && !text.empty()) text = substitute(text, tables);
    return text;
  } catch (const std::exception& failure) {
    reporter.report("MakeSendData", failure);
    return {};
  }
}

std::string EscapeKeyBraces(std::string_view data, const settings::Settings& settings) {
  if (data.empty()) return {};
  const bool escape = settings.isOn(Setting::SendKeySpc);
  std::string result;
  try {
    const std::string bytes = codec::toCp932(data);
    std::string out;
    for (std::size_t pos = 0; pos < bytes.size();) {
      const std::size_t length = codec::charLengthAt(bytes, pos);
      const std::string_view piece(bytes.data() + pos, length);
      if (escape && piece == "{") {
        out += "{{}";
      } else if (escape && piece == "}") {
        out += "{}}";
      } else {
        out += piece;
      }
      pos += length;
    }
    result = codec::fromCp932(out);
  } catch (const std::exception&) {
    result += "<Error!>";
  }
  return result;
}

}  // namespace orbelin::convert
