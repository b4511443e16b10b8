// Throughput of the record conversions: MakeSendData with the byte edit and a full
// substitution table on 80-byte records, and the code page 932 round trip.
#include <benchmark/benchmark.h>

#include <string>

#include "report/FailureReporter.h"
#include "convert/MakeSendData.h"
#include "codec/Cp932.h"
#include "platform/common/Transcript.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/SimClock.h"

namespace {

using namespace orbelin;

// 80 bytes: GS1-like digits, ASCII, half-width and double-byte characters.
const std::string kRecord = "0104912345678904" "17261231" "10LOT-42ｶﾅ" "日本語テキスト" "ABCDEFGHIJKLMNOPQRST" "0123456789XY";

settings::EditTables fullTables() {
  settings::EditTables tables;
  const char* pairs[10][2] = {{"LOT", "lot"}, {"ｶﾅ", "カナ"}, {"日本", "にほん"}, {"ABC", "{TAB}"}, {"0", "O"},
                              {"XYZ", ""},    {"テ", "て"},     {"Q", "q"},        {"\r\n", "{ENTER}"}, {"-", "_"}};
  for (int i = 0; i < 10; ++i) tables.substitutions[i] = {pairs[i][0], pairs[i][1], pairs[i][0], pairs[i][1]};
  tables.byteEdits[0] = {"0", "2", "#"};
  tables.byteEdits[1] = {"17", "8", "[date]"};
  tables.byteEdits[2] = {"40", "0", "|"};
  tables.byteEdits[3] = {"70", "5", ""};
  tables.byteEdits[4] = {"80", "0", "{ENTER}"};
  return tables;
}

void MakeSendDataFullTables(benchmark::State& state) {
  platform::Transcript transcript;
  platform::sim::SimClock clock;
  platform::sim::RecordingMessageBox messages(transcript);
  report::FailureReporter reporter("/dev/null", clock, messages);
  settings::Settings settings = settings::Settings::defaults();
  settings.set(settings::Setting::ByteEd, "1");
  settings.set(settings::Setting::Chikan, "1");
  const settings::EditTables tables = fullTables();
  if (codec::toCp932(kRecord).size() != 80) state.SkipWithError("the record must be 80 bytes");
  for (auto _ : state) benchmark::DoNotOptimize(convert::MakeSendData(kRecord, settings, tables, reporter));
  state.SetItemsProcessed(state.iterations());
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(MakeSendDataFullTables);

void Cp932RoundTrip(benchmark::State& state) {
  std::string text;
  while (text.size() < 64 * 1024) text += kRecord;
  const std::string bytes = codec::toCp932(text);
  for (auto _ : state) benchmark::DoNotOptimize(codec::toCp932(codec::fromCp932(bytes)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(Cp932RoundTrip);

}  // namespace

BENCHMARK_MAIN();
