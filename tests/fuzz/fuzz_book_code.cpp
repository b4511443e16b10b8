// Japanese book rows in any order and timing: the converter never fails, and a held row
// is released or replaced, never kept after its wait has passed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "convert/book/BookCodeConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelin;
  using settings::Setting;
  FuzzedDataProvider input(data, size);
  settings::Settings settings = settings::Settings::defaults();
  for (const Setting flag : {Setting::BookJAN, Setting::BookJAN1, Setting::AddOn, Setting::ISBN, Setting::ISBN13}) {
    fuzz::pick(input, settings, flag, {"0", "1"});
  }
  fuzz::pick(input, settings, Setting::JAN2toISBN, {"0", "1", "2"});
  fuzz::pick(input, settings, Setting::BookSeparate, {"0", "9", "13", "32"});
  fuzz::pick(input, settings, Setting::SPCWeight, {"0", "500", "2147483647"});
  convert::book::BookCodeConverter converter;
  std::int64_t now = 0;
  while (input.remaining_bytes() > 0) {
    now += input.ConsumeIntegralInRange<std::int64_t>(0, 5000);
    if (input.ConsumeBool()) {
      converter.takeExpired(now, settings);
      if (const auto expiry = converter.nextExpiry(settings); expiry && *expiry <= now) {
        fuzz::require(!converter.takeExpired(now, settings) || !converter.holding(), "an expired row is let go");
      }
      continue;
    }
    converter.convert(input.ConsumeRandomLengthString(40), settings, now);
  }
  return 0;
}
