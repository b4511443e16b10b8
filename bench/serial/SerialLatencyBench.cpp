// Serial link latency and idle cost with a real pseudo terminal, Qt SerialPort and Qt's
// event loop: the time from the last byte written to the first key event, less the
// waits the design makes on purpose (the 100 ms pause and, without a footer, Weight),
// and the CPU time the process uses while connected and idle and while waiting out gaps.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/qtserial/QtSerialPort.h"
#include "platform/sim/RecordingKeyboard.h"
#include "support/LinkFixture.h"
#include "support/ReaderPty.h"

namespace {

using namespace orbelin;
using Clock = std::chrono::steady_clock;

/// The recording keyboard's layout, noting when the first character of a record comes.
class TimingKeyboard : public platform::Keyboard {
 public:
  void keyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override { mark(); }
  std::int16_t keyForCharacter(std::uint8_t c) override { return platform::sim::usKeyForCharacter(c); }
  std::uint8_t scanCodeOf(std::uint8_t vk) override { return platform::sim::usScanCodeOf(vk); }
  std::optional<platform::WindowId> focusWindow() override { return 1; }
  void postCharacter(platform::WindowId, char32_t) override { mark(); }
  void sleep(int) override {}

  std::optional<Clock::time_point> first;

 private:
  void mark() {
    if (!first) first = Clock::now();
  }
};

double cpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto micros = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000L + usage.ru_utime.tv_usec +
                      usage.ru_stime.tv_usec;
  return static_cast<double>(micros) / 1000.0;
}

struct Bench : test::LinkFixture<platform::qtserial::QtSerialPort, TimingKeyboard> {
  Bench() : LinkFixture("orbelin_serial_bench") {
    test::writeFile(paths.ini(), "[PORTS]\r\n1=" + reader.device() + "\r\n");
    set(settings::Setting::Baud, "115200");
    if (reader.device().empty() || !link.connection().RSOpen(true)) std::exit(1);
  }

  /// One record; the latency beyond the designed waits in milliseconds.
  double record(const std::string& bytes, int designedMs) {
    keyboard.first.reset();
    const auto written = Clock::now();
    reader.write(bytes);
    loop.waitUntil(clock.monotonicMs() + 10'000, [&] { return keyboard.first.has_value(); });
    const double ms = std::chrono::duration<double, std::milli>(*keyboard.first - written).count();
    loop.waitUntil(clock.monotonicMs() + designedMs + 50, [] { return false; });
    transcript.clear();
    return ms - designedMs;
  }

  test::ReaderPty reader;
};

void printLatency(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const double median = values[values.size() / 2];
  const double p99 = values[std::min(values.size() - 1, values.size() * 99 / 100)];
  std::printf("%-44s median %7.2f ms   99th percentile %7.2f ms   (n=%zu)\n", what, median, p99, values.size());
}

}  // namespace

int main(int argc, char** argv) {
  Bench bench;
  const int records = argc > 1 ? std::atoi(argv[1]) : 200;
  using settings::Setting;

  std::vector<double> gapLatency;
  for (int i = 0; i < records; ++i) gapLatency.push_back(bench.record("4912345678904", 100 + 150));
  printLatency("gap-framed record (less 100 ms + Weight 150)", gapLatency);

  bench.configuration.settings.set(Setting::Select, "1");
  bench.configuration.settings.set(Setting::RcvHead, "1");
  bench.configuration.settings.set(Setting::RcvFoot, "1");
  std::vector<double> footerLatency;
  for (int i = 0; i < records; ++i) footerLatency.push_back(bench.record("\x02" "4912345678904\x03", 100));
  printLatency("footer-framed record (less 100 ms)", footerLatency);

  const double idleStart = cpuMs();
  bench.loop.waitUntil(bench.clock.monotonicMs() + 10'000, [] { return false; });
  std::printf("CPU time connected and idle for 10 s: %.2f ms\n", cpuMs() - idleStart);

  bench.configuration.settings.set(Setting::Select, "0");
  bench.configuration.settings.set(Setting::Weight, "2000");
  const double gapStart = cpuMs();
  for (int i = 0; i < 5; ++i) bench.record("4912345678904", 100 + 2000);
  std::printf("CPU time for 5 records with a 2 s gap each (about 10.8 s): %.2f ms\n", cpuMs() - gapStart);

  // The reader goes away; the program waits for it, trying to open it once a second.
  bench.reader.vanish();
  bench.loop.waitUntil(bench.clock.monotonicMs() + 10'000, [&] { return !bench.port.isOpen(); });
  const double lostStart = cpuMs();
  bench.loop.waitUntil(bench.clock.monotonicMs() + 10'000, [] { return false; });
  std::printf("CPU time waiting for a lost reader for 10 s: %.2f ms%s\n", cpuMs() - lostStart,
              bench.link.connection().awaitingDevice() ? "" : " (not waiting: the loss was not seen)");
  return 0;
}
