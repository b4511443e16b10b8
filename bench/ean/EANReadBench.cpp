// EANRead per record on a typical 40-byte element string with the full delivered table:
// reading the table from QELT.PDF for every record, through the program's cache with the
// file unchanged and with the file rewritten before every record (the write itself not
// timed), and with the table already in memory, there without and with the GS1 checks
// (EANCheck 0, 1) and the checks alone; then other kinds of record.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "report/FailureReporter.h"
#include "convert/ean/AiTableCache.h"
#include "convert/ean/AiTableStore.h"
#include "convert/ean/BarcodeInfoSink.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/EANRead.h"
#include "convert/ean/Gs1Check.h"
#include "platform/common/Transcript.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/SimClock.h"

namespace {

using namespace orbelin;

// ]C1, (01) GTIN, (17) expiry date, (10) batch ended by a GS, (21) serial: 40 bytes.
const std::string kRecord = "]C1" "0109501101530003" "17260131" "10ABC123" "\x1D" "2112";
static_assert(sizeof("]C1" "0109501101530003" "17260131" "10ABC123" "\x1D" "2112") - 1 == 40);

struct Fixture {
  platform::Transcript transcript;
  platform::sim::SimClock clock;
  platform::sim::RecordingMessageBox messages{transcript};
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "orbelin-bench-ean";
  report::FailureReporter reporter{dir / "ERROR.LOG", clock, messages};
  settings::Settings settings = settings::Settings::defaults();

  convert::ean::NoBarcodeInfo monitor;

  Fixture() {
    std::filesystem::create_directories(dir);
    convert::ean::writeAiDatabase(dir / "QELT.PDF");
    settings.set(settings::Setting::EANSend, "3");
    settings.set(settings::Setting::EANDate, "1");
    settings.set(settings::Setting::EANDecimal, "1");
  }
  ~Fixture() { std::filesystem::remove_all(dir); }

  template <class Table>
  void decode(Table& table) {
    benchmark::DoNotOptimize(convert::ean::EANRead(kRecord, settings, table, reporter, monitor));
  }
  void failOnReport(benchmark::State& state) const {
    if (!transcript.lines().empty()) state.SkipWithError("EANRead reported a failure");
  }
};

// Source reads QELT.PDF: a path for every record, the program's cache only when it changed.
template <class Source>
void EANReadFromFile(benchmark::State& state) {
  Fixture f;
  Source source(f.dir / "QELT.PDF");
  for (auto _ : state) f.decode(source);
  f.failOnReport(state);
}
BENCHMARK(EANReadFromFile<std::filesystem::path>)->Name("EANReadFromDatabase")->Unit(benchmark::kMicrosecond);
BENCHMARK(EANReadFromFile<convert::ean::AiTableCache>)
    ->Name("EANReadCachedFileUnchanged")
    ->Unit(benchmark::kMicrosecond);

void EANReadCachedFileRewrittenEveryRecord(benchmark::State& state) {
  Fixture f;
  convert::ean::AiTableCache cache(f.dir / "QELT.PDF");
  const convert::ean::AiTableStore store(f.dir / "QELT.PDF");
  int setNo = 1;
  for (auto _ : state) {
    state.PauseTiming();
    store.setPosition("21", setNo++);
    state.ResumeTiming();
    f.decode(cache);
  }
  f.failOnReport(state);
}
BENCHMARK(EANReadCachedFileRewrittenEveryRecord)->Unit(benchmark::kMicrosecond);

void EANReadWithTableInMemory(benchmark::State& state) {
  Fixture f;
  f.settings.set(settings::Setting::EANCheck, std::to_string(state.range(0)));
  const convert::ean::AiTable& table = convert::ean::builtInAiTable();
  std::vector<std::string> notes;
  for (auto _ : state) {
    benchmark::DoNotOptimize(convert::ean::EANRead(kRecord, f.settings, table, f.reporter, f.monitor, nullptr, &notes));
  }
  if (!notes.empty()) state.SkipWithError("the record is not clean GS1 data");
}
BENCHMARK(EANReadWithTableInMemory)->ArgName("EANCheck")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void Gs1ChecksAlone(benchmark::State& state) {
  const std::vector<convert::ean::Gs1FieldToCheck> fields{
      {"01", "09501101530003", false}, {"17", "260131", false}, {"10", "ABC123", false}, {"21", "12", false}};
  convert::ean::gs1Dictionary();  // built once, at the first record
  for (auto _ : state) benchmark::DoNotOptimize(convert::ean::checkGs1Fields(fields));
}
BENCHMARK(Gs1ChecksAlone)->Unit(benchmark::kMicrosecond);

// The same fields as a GS1 DataMatrix record, as the Digital Link URI that stands for
// them, and a record that is neither (what the carrier and URI checks cost it).
void EANReadRecordOfKind(benchmark::State& state, const std::string& record) {
  Fixture f;
  const convert::ean::AiTable& table = convert::ean::builtInAiTable();
  for (auto _ : state) {
    benchmark::DoNotOptimize(convert::ean::EANRead(record, f.settings, table, f.reporter, f.monitor));
  }
  if (!f.transcript.lines().empty()) state.SkipWithError("EANRead reported a failure");
}
BENCHMARK_CAPTURE(EANReadRecordOfKind, DataMatrix, std::string("]d2") + kRecord.substr(3))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EANReadRecordOfKind, DigitalLink,
                  std::string("]Q1https://id.gs1.org/01/09501101530003/10/ABC123/21/12?17=260131"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EANReadRecordOfKind, OtherText, std::string("4912345678904 NOT GS1"))->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
