// Reception through the simulated port: records framed by the input's header and footer,
// sent in bursts and pieces at times from the input (pieces of one record closer than the
// gap time, records as far apart as the input likes). Every record must be typed once, in
// order, whole: no byte lost, read twice or joined to another record, nothing dropped and
// no failure reported.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "SerialFixture.h"

namespace {

using namespace orbelin;
using settings::Setting;

/// A record's own bytes: printable, and neither braces (key tokens) nor framing codes.
std::string payloadOf(std::string text) {
  std::string kept;
  for (const char c : text) {
    if (c >= 0x21 && c <= 0x7E && c != '{' && c != '}') kept += c;
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  test::SerialFixture f;
  f.set(Setting::Select, "1");
  fuzz::pick(input, f.configuration.settings, Setting::RcvHead, {"0", "1"});
  fuzz::pick(input, f.configuration.settings, Setting::RcvFoot, {"1", "3", "5"});
  const int gapMs = input.ConsumeIntegralInRange(20, 400);
  f.set(Setting::Weight, std::to_string(gapMs));
  const std::string header = f.configuration.settings.get(Setting::RcvHead) == "1" ? "\x02" : "";
  const std::string& foot = f.configuration.settings.get(Setting::RcvFoot);
  const std::string footer = foot == "1" ? "\x03" : foot == "3" ? "\r" : "\r\n";
  f.connect();

  std::string expected;
  std::int64_t at = 0;
  for (int records = 0; records < 40 && input.remaining_bytes() > 0; ++records) {
    // A burst of records arrives together; the next one comes after any pause.
    at += input.ConsumeIntegralInRange(0, 1'000);
    const std::string payload = payloadOf(input.ConsumeRandomLengthString(24));
    expected += payload;
    const std::string bytes = header + payload + footer;
    // The record in pieces, each following the last within the gap time.
    std::size_t from = 0;
    while (from < bytes.size()) {
      const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(1, bytes.size() - from);
      f.port.arriveAt(at, bytes.substr(from, length));
      from += length;
      if (from < bytes.size()) at += input.ConsumeIntegralInRange(0, gapMs - 1);
    }
  }
  f.loop.runUntilIdle();

  fuzz::require(f.typed() == expected, "every record typed once, in order, whole");
  fuzz::require(f.errorLines().empty(), "no failure reported");
  fuzz::require(f.file("COMRECV.LOG").find("[破棄]") == std::string::npos, "nothing dropped");
  return 0;
}
