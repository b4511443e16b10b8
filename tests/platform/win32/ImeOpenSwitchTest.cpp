#include "platform/win32/ImeOpenSwitch.h"

#include <gtest/gtest.h>

#include "FakeImeCalls.h"

// The IME is closed around a record and given back, checked against a recording fake of
// the Win32 calls: no IME runs under Wine.
namespace orbelin::platform::win32 {
namespace {

using test::FakeIme;
using test::FakeImeCalls;
using Calls = std::vector<std::string>;

struct Case {
  const char* name;
  FakeIme ime;
  Calls calls;
  bool openAfter;
  bool notice;
};

FakeIme ime(bool open, bool statusTimesOut = false, bool closeTimesOut = false, bool openTimesOut = false) {
  FakeIme fake;
  fake.open = open;
  fake.statusTimesOut = statusTimesOut;
  fake.closeTimesOut = closeTimesOut;
  fake.openTimesOut = openTimesOut;
  return fake;
}

FakeIme withoutImeWindow() {
  FakeIme fake;
  fake.window = 0;
  return fake;
}

class ImeOpenSwitchCase : public testing::TestWithParam<Case> {};

TEST_P(ImeOpenSwitchCase, OneRecord) {
  FakeIme fake = GetParam().ime;
  ImeOpenSwitch ime(std::make_unique<FakeImeCalls>(fake));
  ime.suspend();
  fake.calls.push_back("type");
  ime.restore();
  EXPECT_EQ(fake.calls, GetParam().calls);
  EXPECT_EQ(fake.open, GetParam().openAfter);
  EXPECT_EQ(!ime.takeNotice().empty(), GetParam().notice);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ImeOpenSwitchCase,
    testing::Values(Case{"Open", ime(true), {"get", "set 0", "type", "set 1"}, true, false},
                    Case{"Closed", ime(false), {"get", "type"}, false, false},
                    Case{"NoImeWindow", withoutImeWindow(), {"type"}, true, false},
                    Case{"StatusTimesOut", ime(true, true), {"get", "type"}, true, true},
                    // The close may still be carried out after its timeout: given back all the same.
                    Case{"CloseTimesOut", ime(true, false, true), {"get", "set 0", "type", "set 1"}, true, true},
                    Case{"OpenTimesOut", ime(true, false, false, true), {"get", "set 0", "type", "set 1"}, false,
                         true}),
    [](const testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST(ImeOpenSwitch, NoticeOncePerRunAndEveryRecordStillTried) {
  FakeIme fake = ime(true, true);
  ImeOpenSwitch ime(std::make_unique<FakeImeCalls>(fake));
  ime.suspend();
  ime.restore();
  const std::string notice = ime.takeNotice();
  EXPECT_NE(notice.find("IMC_GETOPENSTATUS"), std::string::npos);
  ime.suspend();
  ime.restore();
  EXPECT_EQ(ime.takeNotice(), "");
  EXPECT_EQ(fake.calls, (Calls{"get", "get"}));
}

TEST(ImeOpenSwitch, EachRecordAsksTheWindowThatHasTheFocusThen) {
  FakeIme fake = ime(true);
  ImeOpenSwitch ime(std::make_unique<FakeImeCalls>(fake));
  ime.suspend();
  ime.restore();
  // The user closed the IME in between: the next record leaves it closed.
  fake.open = false;
  ime.suspend();
  ime.restore();
  EXPECT_EQ(fake.calls, (Calls{"get", "set 0", "set 1", "get"}));
  EXPECT_FALSE(fake.open);
}

}  // namespace
}  // namespace orbelin::platform::win32
