// The engine's own cost of typing a record: scanning and event generation, with a
// keyboard that does nothing, so the figures exclude any display server.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "report/FailureReporter.h"
#include "keyout/DOSKeySendData.h"
#include "keyout/KeyScanner.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"
#include "platform/common/Transcript.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/SimClock.h"

namespace {

using namespace orbelin;

class NullKeyboard : public platform::Keyboard {
 public:
  void keyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override { ++events; }
  std::int16_t keyForCharacter(std::uint8_t character) override { return character; }
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) override { return virtualKey; }
  std::optional<platform::WindowId> focusWindow() override { return 1; }
  void postCharacter(platform::WindowId, char32_t) override { ++events; }
  void sleep(int) override {}
  long events = 0;
};

class NullClipboard : public platform::Clipboard {
 public:
  bool setText(std::string_view) override { return true; }
};

// 2,000 characters of a typical record: text, Japanese, a token every 40 characters.
std::string record() {
  std::string text;
  while (text.size() < 2000) text += "4901234567894ABCDEFあいう{TAB}0123456789{{}x{}}{ENTER}";
  return text;
}

struct Output {
  NullKeyboard keyboard;
  NullClipboard clipboard;
  platform::sim::SimClock clock;
  platform::Transcript transcript;
  platform::sim::RecordingMessageBox messages{transcript};
  report::FailureReporter reporter{std::filesystem::temp_directory_path() / "orbelin-bench-ERROR.LOG", clock, messages};
  settings::Settings settings = settings::Settings::defaults();
  keyout::KeyOutput out{keyboard, clipboard, clock, settings, reporter};
};

void BM_Scan(benchmark::State& state) {
  const std::string text = record();
  platform::sim::SimClock clock;
  for (auto _ : state) {
    keyout::KeyScanner scanner(text, true, clock);
    long items = 0;
    while (!scanner.atEnd()) {
      benchmark::DoNotOptimize(scanner.next());
      ++items;
    }
    benchmark::DoNotOptimize(items);
  }
  state.SetBytesProcessed(static_cast<long>(state.iterations() * text.size()));
}
BENCHMARK(BM_Scan);

template <int Mode>
void BM_Transfer(benchmark::State& state) {
  const std::string text = record();
  Output o;
  for (auto _ : state) {
    bool typed = Mode == 0 ? keyout::KeySendData(text, true, o.out)
                 : Mode == 1 ? keyout::LowKeySendData(text, true, o.out)
                             : keyout::DOSKeySendData(text, true, 3, o.out);
    benchmark::DoNotOptimize(typed);
  }
  state.counters["events"] = benchmark::Counter(static_cast<double>(o.keyboard.events) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_Transfer<0>)->Name("KeySendData_2000");
BENCHMARK(BM_Transfer<1>)->Name("LowKeySendData_2000");
BENCHMARK(BM_Transfer<2>)->Name("DOSKeySendData_2000");

}  // namespace

BENCHMARK_MAIN();
