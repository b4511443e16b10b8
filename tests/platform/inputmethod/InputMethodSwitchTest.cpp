#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <memory>
#include <vector>

#include "platform/inputmethod/InputMethodSwitch.h"
#include "support/WaitFor.h"

namespace orbelin::platform::inputmethod {
namespace {

using namespace std::chrono_literals;

// What a fake method does, and what was asked of it.
struct FakeState {
  bool present = true;
  bool on = true;
  bool answers = true;
  std::atomic<int> asked{0};
  std::atomic<int> offs{0};
  std::atomic<int> ons{0};
};

class FakeMethod final : public MethodControl {
 public:
  explicit FakeMethod(FakeState& state) : m_state(state) {}
  const char* name() const override { return "fake"; }
  std::optional<bool> present(std::string&) override { return m_state.present; }
  std::optional<bool> isOn(std::string& error) override {
    ++m_state.asked;
    if (!m_state.answers) {
      error = "no reply";
      return std::nullopt;
    }
    return m_state.on;
  }
  bool switchOff(std::string&) override {
    ++m_state.offs;
    m_state.on = false;
    return true;
  }
  bool switchOn(std::string&) override {
    ++m_state.ons;
    m_state.on = true;
    return true;
  }

 private:
  FakeState& m_state;
};

std::unique_ptr<InputMethodSwitch> switchFor(FakeState& state) {
  std::vector<std::unique_ptr<MethodControl>> controls;
  controls.push_back(std::make_unique<FakeMethod>(state));
  return std::make_unique<InputMethodSwitch>(std::move(controls));
}

struct Case {
  const char* name;
  bool present;
  bool on;
  int offs;
};

TEST(InputMethodSwitch, ALongerRecordKeepsTheMethodOffLongerUpToALimit) {
  struct Row {
    std::size_t keyEvents;
    std::chrono::milliseconds settle;
  };
  for (const Row& row : {Row{0, 500ms}, Row{1, 505ms}, Row{200, 1500ms}, Row{4000, 20500ms}, Row{5899, 29995ms}, Row{5900, 30s},
                         Row{1'000'000, 30s}, Row{std::numeric_limits<std::size_t>::max(), 30s}}) {
    EXPECT_EQ(InputMethodSwitch::settleAfter(row.keyEvents), row.settle) << row.keyEvents;
  }
}

TEST(InputMethodSwitch, SwitchesOffOnlyAComposingMethodAndGivesItBack) {
  for (const Case& c : {Case{"composing", true, true, 1}, Case{"not composing", true, false, 0},
                        Case{"not running", false, true, 0}}) {
    FakeState state;
    state.present = c.present;
    state.on = c.on;
    auto methods = switchFor(state);
    methods->suspend();
    EXPECT_EQ(state.offs, c.offs) << c.name;
    EXPECT_EQ(methods->holdsOff(), c.offs == 1) << c.name;
    methods->restoreAfter(0ms);
    EXPECT_EQ(state.ons, c.offs) << c.name;
    EXPECT_EQ(state.on, c.on) << c.name << ": the user's state";
    EXPECT_EQ(methods->takeNotice(), "") << c.name;
  }
}

TEST(InputMethodSwitch, AMethodThatDoesNotAnswerIsNoticedOnceAndLeftAloneForAWhile) {
  FakeState state;
  state.answers = false;
  auto methods = switchFor(state);
  methods->suspend();
  methods->restoreAfter(0ms);
  const std::string notice = methods->takeNotice();
  EXPECT_NE(notice.find("fake: no reply"), std::string::npos) << notice;
  methods->suspend();
  EXPECT_EQ(state.asked, 1) << "not asked again before the retry time";
  EXPECT_EQ(methods->takeNotice(), "") << "once per run";
}

TEST(InputMethodSwitch, ADelayedRestoreWaitsForTheLastRecordOfARun) {
  FakeState state;
  auto methods = switchFor(state);
  for (int record = 0; record < 5; ++record) {
    methods->suspend();
    methods->restoreAfter(10min);
  }
  EXPECT_EQ(state.offs, 1) << "the method stays off between records";
  EXPECT_EQ(state.ons, 0);
  methods->suspend();
  methods->restoreAfter(1ms);
  EXPECT_TRUE(test::waitFor([&] { return state.ons == 1; }, 30s));
  EXPECT_TRUE(state.on);
}

TEST(InputMethodSwitch, EndingGivesBackAStateStillWaitingForItsDelay) {
  FakeState state;
  auto methods = switchFor(state);
  methods->suspend();
  methods->restoreAfter(10min);
  methods.reset();
  EXPECT_EQ(state.ons, 1);
  EXPECT_TRUE(state.on);
}

}  // namespace
}  // namespace orbelin::platform::inputmethod
