// Records behind symbology identifiers and GS1 Digital Link URIs: decoding never fails,
// an element string made from a URI holds fields only, and with the carriers and Digital
// Link off a record that does not begin with the start code passes unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "codec/Cp932.h"
#include "convert/ean/BarcodeInfoSink.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/Carrier.h"
#include "convert/ean/DigitalLink.h"
#include "convert/ean/EANRead.h"
#include "convert/ean/Gs1Dictionary.h"

namespace {

bool fieldsOnly(const std::string& elementString) {
  if (elementString.empty() || elementString.front() == '\x1D' || elementString.back() == '\x1D') return false;
  if (elementString.find("\x1D\x1D") != std::string::npos) return false;
  return std::all_of(elementString.begin(), elementString.end(),
                     [](char ch) { return ch == '\x1D' || (ch > ' ' && ch < '\x7F'); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelin;
  using settings::Setting;
  fuzz::SettingsCase picked(data, size, {
      {Setting::EANSymbology, {"1", "0"}},
      {Setting::EANDigitalLink, {"1", "0"}},
      {Setting::EANSend, {"1", "2", "3"}},
      {Setting::EANStartCD, {"]C1", "", "]d2"}},
  });
  auto& [input, h, settings] = picked;
  const std::string record = codec::fromCp932(input.ConsumeRemainingBytesAsString());
  using namespace convert::ean;
  if (const auto elementString = digitalLinkElementString(record, gs1Dictionary())) {
    fuzz::require(fieldsOnly(*elementString), "a Digital Link URI gives fields only");
  }
  NoBarcodeInfo monitor;
  const std::size_t before = h.transcript.lines().size();
  const std::string typed = EANRead(record, settings, builtInAiTable(), h.reporter, monitor);
  fuzz::require(h.transcript.lines().size() == before, "decoding with the built-in table reports nothing");
  const Carrier carrier = carrierOf(record);
  const std::string& startCode = settings.get(Setting::EANStartCD);
  if (startCode.empty() || !record.starts_with(startCode)) {
    if (!settings.isOn(Setting::EANSymbology) && !settings.isOn(Setting::EANDigitalLink)) {
      fuzz::require(typed == record, "with both off other records pass unchanged");
    }
    if (settings.isOn(Setting::EANSymbology) && carrier.content == CarrierContent::Digits) {
      fuzz::require(typed == record.substr(carrier.identifier.size()), "a plain number loses its identifier only");
    }
  }
  return 0;
}
