#include <gtest/gtest.h>

#include "app/startup/EngineSteps.h"
#include "serial/SerialFixture.h"

namespace orbelin::app {
namespace {

using settings::Setting;
using Lines = std::vector<std::string>;

/// The serial link with the real decoders, as the program and the replay tool run them.
struct EngineFixture : test::SerialFixture {
  EngineFixture()
      : test::SerialFixture([](test::SerialFixture& f) {
          auto steps = std::make_shared<EngineSteps>(f.configuration, f.paths, f.reporter);
          f.stepsOwner = steps;
          steps->databaseCheck()();
          return steps->conversionSteps();
        }) {
    set(Setting::EANRead, "0");
    set(Setting::SendKey, "0");
    set(Setting::File, "1");
    set(Setting::FilePath, "out.txt");
  }
  void books() {
    set(Setting::BookJAN, "1");
    set(Setting::JAN2toISBN, "3");
    set(Setting::SPCWeight, "1500");
  }
};

TEST(EngineSteps, BookRowsScannedOneAfterTheOtherAreJoined) {
  for (const bool secondFirst : {false, true}) {
    EngineFixture f;
    f.books();
    f.connect();
    f.port.arrive(secondFirst ? "1920055024004" : "9784873119038");
    f.port.arriveAt(800, secondFirst ? "9784873119038" : "1920055024004");
    f.loop.runUntilIdle();
    EXPECT_EQ(f.file("out.txt"), "ISBN4-87311-903-0 C0055 \\2400E\r\n\r\n") << secondFirst;
  }
}

TEST(EngineSteps, LoneRowIsReleasedByTheTimerOnlyWhenOneRowIsAllowed) {
  for (const char* allowOne : {"1", "0"}) {
    EngineFixture f;
    f.books();
    f.set(Setting::BookJAN1, allowOne);
    f.connect();
    f.port.arrive("1920055024004");
    f.loop.runUntilIdle();
    EXPECT_EQ(f.file("out.txt"), allowOne == std::string("1") ? "1920055024004\r\n" : "") << allowOne;
    // Reception ends at 250 ms; the row goes once more than 1500 ms have passed.
    EXPECT_EQ(f.clock.monotonicMs(), 1751);
  }
}

TEST(EngineSteps, WaitTimeThatIsNoNumberFailsTheRun) {
  EngineFixture f;
  f.books();
  f.set(Setting::SPCWeight, "x");
  f.connect();
  f.port.arrive("1920055024004");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.status(), (Lines{"icon busy", "port close", "icon disconnected",
                               "msgbox warning \"EventRecv\" \"ポーリング処理でエラーが発生しました。\""}));
  ASSERT_EQ(f.errorLines().size(), 1u);
  EXPECT_TRUE(f.errorLines()[0].starts_with("[EventRecv] ")) << f.errorLines()[0];
}

TEST(EngineSteps, Gs1RecordIsDecodedWithTheDatabaseStartUpCreated) {
  EngineFixture f;
  f.set(Setting::EANRead, "1");
  f.set(Setting::EANSend, "3");
  f.connect();
  f.port.arrive("]C1010491234567890410ABC");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.file("out.txt"), "(01)04912345678904(10)ABC\r\n");
}

}  // namespace
}  // namespace orbelin::app
