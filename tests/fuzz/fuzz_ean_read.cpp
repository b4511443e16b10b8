// GS1-128 records against the built-in AI table with any output settings: decoding never
// fails, and a record that does not start with the start code passes unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "codec/Cp932.h"
#include "convert/ean/BarcodeInfoSink.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/EANRead.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelin;
  using settings::Setting;
  fuzz::SettingsCase picked(data, size, {
      {Setting::EANSend, {"0", "1", "2", "3"}},
      {Setting::EANAISelect, {"0", "1"}},
      {Setting::EANDate, {"0", "1"}},
      {Setting::EANDecimal, {"0", "1"}},
      {Setting::EANSort, {"0", "1"}},
      {Setting::EANSeparate, {"0", "29", "44", "x", "300"}},
      {Setting::EANStartCD, {"]C1", "", "]"}},
      {Setting::EANCheck, {"0", "1", "2"}},
  });
  auto& [input, h, settings] = picked;
  // The start code alone: fuzz_gs1_carriers covers the identifiers and Digital Link.
  settings.set(Setting::EANSymbology, "0");
  settings.set(Setting::EANDigitalLink, "0");
  // Records come as code page 932 bytes from the port and are decoded before EANRead.
  const std::string record = codec::fromCp932(input.ConsumeRemainingBytesAsString());
  convert::ean::NoBarcodeInfo monitor;
  const std::string typed =
      convert::ean::EANRead(record, settings, convert::ean::builtInAiTable(), h.reporter, monitor);
  const std::string& startCode = settings.get(Setting::EANStartCD);
  if (startCode.empty() || !record.starts_with(startCode)) fuzz::require(typed == record, "other records pass unchanged");
  return 0;
}
