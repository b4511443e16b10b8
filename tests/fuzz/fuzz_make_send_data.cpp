// The send-data builder with framing, byte-edit rules and substitution rows all taken from
// the input: it never fails other than through its own report, and a record that does not
// pass the framing check gives nothing.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "convert/MakeSendData.h"
#include "codec/Cp932.h"
#include "serial/Framer.h"
#include "settings/EditTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelin;
  using settings::Setting;
  fuzz::SettingsCase picked(data, size, {
      {Setting::Select, {"0", "1", "2", "3"}},
      {Setting::RcvHead, {"0", "1", "2", "3", "4", "5"}},
      {Setting::RcvFoot, {"0", "1", "2", "3", "4", "5"}},
      {Setting::HeadOther, {"2", "65", "300", "x"}},
      {Setting::FootOther, {"3", "13", "-1"}},
      {Setting::Chikan, {"0", "1"}},
      {Setting::ByteEd, {"0", "1"}},
  });
  auto& [input, h, settings] = picked;
  settings::EditTables tables;
  for (auto& row : tables.byteEdits) {
    row.position = std::to_string(input.ConsumeIntegralInRange(-3, 40));
    row.deleteCount = std::to_string(input.ConsumeIntegralInRange(-3, 40));
    row.insertText = input.ConsumeRandomLengthString(8);
  }
  for (auto& row : tables.substitutions) {
    row.beforeWorking = input.ConsumeRandomLengthString(4);
    row.afterWorking = input.ConsumeRandomLengthString(6);
  }
  const std::string record = input.ConsumeRemainingBytesAsString();
  // The framing as a record read in one go is framed; codes that are no byte fail it.
  std::optional<std::string> inside;
  try {
    inside = serial::Framer::frame(record, serial::framingOf(settings));
  } catch (const std::exception&) {
    return 0;
  }
  if (inside) convert::MakeSendData(codec::fromCp932(*inside), settings, tables, h.reporter);
  return 0;
}
