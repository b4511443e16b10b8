#include <gtest/gtest.h>

#include "app/startup/DelayStart.h"
#include "app/startup/Program.h"
#include "platform/sim/SimStartupWaitView.h"
#include "serial/SerialFixture.h"
#include "settings/EditTableStore.h"
#include "settings/SettingsStore.h"

namespace orbelin::app {
namespace {

using settings::Setting;
using test::readFile;
using test::writeFile;
using Lines = std::vector<std::string>;

class HeldLock : public platform::InstanceLock {
 public:
  explicit HeldLock(bool free) : m_free(free) {}
  bool tryAcquire() override { return m_free; }

 private:
  bool m_free;
};

struct StartupFixture : test::SerialFixture {
  platform::sim::SimStartupWaitView splash;
  Program program{ShellServices{paths, clock, loop, messages, reporter, configuration, window, tray, &splash,
                                nullptr, {}, {}},
                  link};
};

TEST(Startup, FirstStartWritesACompleteSettingsFileAndConnects) {
  StartupFixture f;
  EXPECT_EQ(f.program.Main(), StartResult::Running);
  test::TempDir other;
  const auto expected = other / "QELT.INI";
  settings::Configuration defaults;
  settings::PutEdy(defaults.tables, expected, f.reporter);
  settings::PutPGPra(defaults.settings, expected, f.reporter);
  EXPECT_EQ(readFile(f.paths.ini()), readFile(expected));
  EXPECT_EQ(f.transcript.lines(), (Lines{"caption \"COM\"", "icon disconnected", "port open 1", "icon connected"}));
  EXPECT_FALSE(std::filesystem::exists(f.paths.writeTestFile()));
}

TEST(Startup, ExistingSettingsAreLoadedAndNotRewritten) {
  StartupFixture f;
  writeFile(f.paths.ini(), "[COM]\r\nPort=4\r\n");
  f.program.Main();
  EXPECT_EQ(readFile(f.paths.ini()), "[COM]\r\nPort=4\r\n");
  EXPECT_EQ(f.transcript.lines()[2], "port open 4");
}

TEST(Startup, SecondInstanceEndsAtOnceWithoutTouchingAnything) {
  StartupFixture f;
  HeldLock held(false);
  Program second{ShellServices{f.paths, f.clock, f.loop, f.messages, f.reporter, f.configuration, f.window, f.tray,
                               &f.splash, &held, {}, {}},
                 f.link};
  EXPECT_EQ(second.Main(), StartResult::AlreadyRunning);
  EXPECT_TRUE(f.transcript.lines().empty());
  EXPECT_FALSE(std::filesystem::exists(f.paths.ini()));
}

TEST(Startup, UnwritableFolderShowsTheWriteTestBoxAndStartsAnyway) {
  StartupFixture f;
  std::filesystem::create_directory(f.paths.writeTestFile());
  EXPECT_EQ(f.program.Main(), StartResult::Running);
  EXPECT_EQ(f.transcript.lines()[0],
            "msgbox critical \"コントロール確認\" \"コントロールファイルの書き込みが行えません。\\r\\n"
            "インストール先が書き込み権限などあるか確認してください。\"");
  EXPECT_TRUE(f.port.isOpen());
}

TEST(Startup, FolderUnderARegularFileShowsTheWriteTestBoxAndKeepsRunning) {
  StartupFixture f;
  writeFile(f.paths.dir / "plain", "x");
  const report::ProgramPaths invalid{f.paths.dir / "plain" / "orbelin"};
  Program program{ShellServices{invalid, f.clock, f.loop, f.messages, f.reporter, f.configuration, f.window, f.tray,
                                &f.splash, nullptr, {}, {}},
                  f.link};
  EXPECT_EQ(program.Main(), StartResult::Running);
  EXPECT_EQ(f.transcript.lines()[0],
            "msgbox critical \"コントロール確認\" \"コントロールファイルの書き込みが行えません。\\r\\n"
            "インストール先が書き込み権限などあるか確認してください。\"");
  f.loop.waitUntil(1000, [] { return false; });
  EXPECT_FALSE(program.ended());
}

TEST(Startup, CaptureAboveTheLimitIsDeleted) {
  for (const auto& [size, kept] : {std::pair{4'999'999u, true}, std::pair{5'000'000u, false}}) {
    StartupFixture f;
    writeFile(f.paths.receiveCapture(), std::string(size, 'x'));
    f.program.Main();
    EXPECT_EQ(std::filesystem::exists(f.paths.receiveCapture()), kept) << size;
  }
}

TEST(Startup, StaleMarkersAreDeletedAndTheProgramKeepsRunning) {
  StartupFixture f;
  writeFile(f.paths.finishMarker(), "");
  writeFile(f.paths.dontKeyMarker(), "");
  f.program.Main();
  f.loop.waitUntil(1000, [] { return false; });
  EXPECT_FALSE(std::filesystem::exists(f.paths.finishMarker()));
  EXPECT_FALSE(std::filesystem::exists(f.paths.dontKeyMarker()));
  EXPECT_FALSE(f.program.ended());
}

TEST(Startup, FinishMarkerEndsTheProgramAtTheNextTick) {
  StartupFixture f;
  f.program.Main();
  f.loop.scheduleAt(250, [&] { writeFile(f.paths.finishMarker(), ""); });
  f.loop.waitUntil(10'000, [&] { return f.program.ended(); });
  EXPECT_TRUE(f.program.ended());
  EXPECT_TRUE(f.tray.removed());
  EXPECT_TRUE(f.loop.quitting());
  EXPECT_EQ(f.clock.monotonicMs(), 300);
  EXPECT_TRUE(std::filesystem::exists(f.paths.finishMarker()));
}

TEST(Startup, ExitFromTheMenuDisconnectsThenEnds) {
  StartupFixture f;
  f.program.Main();
  f.transcript.clear();
  f.program.exitFromMenu();
  EXPECT_EQ(f.transcript.lines(), (Lines{"port close", "icon disconnected"}));
  EXPECT_TRUE(f.tray.removed());
}

struct DelayCase {
  const char* delayTime;
  Lines labels;
  std::int64_t waitedMs;
};

class Delayed : public testing::TestWithParam<DelayCase> {};

TEST_P(Delayed, WaitsInHalfSecondStepsAndShowsThem) {
  test::SerialFixture f;
  platform::sim::SimStartupWaitView splash;
  f.set(Setting::DelayTime, GetParam().delayTime);
  DelayStart(f.configuration.settings, splash, f.loop, f.clock);
  EXPECT_EQ(splash.labels(), GetParam().labels);
  EXPECT_EQ(f.clock.monotonicMs(), GetParam().waitedMs);
  EXPECT_TRUE(splash.closed());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Delayed,
    testing::Values(DelayCase{"3000",
                              {"0 / 3000", "500 / 3000", "1000 / 3000", "1500 / 3000", "2000 / 3000", "2500 / 3000",
                               "3000 / 3000"},
                              3500},
                    DelayCase{"1200", {"0 / 1200", "500 / 1200", "1000 / 1200"}, 1500},
                    DelayCase{"1250", {"0 / 1250", "500 / 1250", "1000 / 1250"}, 1500},
                    DelayCase{"1750", {"0 / 1750", "500 / 1750", "1000 / 1750", "1500 / 1750", "2000 / 1750"}, 2500},
                    DelayCase{"0", {}, 0}, DelayCase{"", {}, 0}, DelayCase{"-500", {}, 0}, DelayCase{"x", {}, 0}));

TEST(DelayStart, KeyPressEndsTheWaitAtOnce) {
  test::SerialFixture f;
  platform::sim::SimStartupWaitView splash;
  splash.abortAfterLabels(2);
  f.set(Setting::DelayTime, "3000");
  DelayStart(f.configuration.settings, splash, f.loop, f.clock);
  EXPECT_EQ(splash.labels().size(), 2u);
  EXPECT_EQ(f.clock.monotonicMs(), 500);
}

TEST(DelayStart, EventsRunDuringTheWait) {
  test::SerialFixture f;
  platform::sim::SimStartupWaitView splash;
  f.set(Setting::DelayTime, "1000");
  int ticks = 0;
  f.loop.startTimer(100, true, [&] { ++ticks; });
  DelayStart(f.configuration.settings, splash, f.loop, f.clock);
  EXPECT_EQ(ticks, 15);
}

}  // namespace
}  // namespace orbelin::app
