#pragma once

// The transfers typing into another program's text box through a backend's real keyboard
// and clipboard, with the default settings (both pauses "0"): the tests that hold for
// every backend. A backend's test program instantiates the suite with a type that gives
//   Backend()                              the keyboard, clipboard and text box;
//   bool ready(), std::string problem()
//   keyboard(), platform::Clipboard& clipboard()
//   std::string text(const std::string& expected)   the box's text once everything typed
//                                          has arrived (expected tells a backend that
//                                          cannot ask the box when that is);
//   void checkClipboardAfterPaste()        what the backend's clipboard holds afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "keyout/DOSKeySendData.h"
#include "keyout/KeyOutput.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"
#include "settings/Settings.h"
#include "support/Harness.h"

namespace orbelin::test {

template <typename Backend>
class TypingSuite : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backend.ready()) << backend.problem();
    out = std::make_unique<keyout::KeyOutput>(backend.keyboard(), backend.clipboard(), harness.clock, settings,
                                              harness.reporter, nullptr);
  }
  std::string text(const std::string& expected) { return backend.text(expected); }

  Harness harness;
  settings::Settings settings = settings::Settings::defaults();
  Backend backend;
  std::unique_ptr<keyout::KeyOutput> out;
};

TYPED_TEST_SUITE_P(TypingSuite);

TYPED_TEST_P(TypingSuite, NormalModeTypesAsciiBracesTabAndEnter) {
  EXPECT_TRUE(keyout::KeySendData("Lot 42-A/7 (ok)!{TAB}x{ENTER}y{{}z{}}\rend", true, *this->out));
  const std::string expected = "Lot 42-A/7 (ok)!\tx\ny{z}\nend";
  EXPECT_EQ(this->text(expected), expected);
}

TYPED_TEST_P(TypingSuite, NormalModeCtrlAThenTextReplacesTheSelection) {
  EXPECT_TRUE(keyout::KeySendData("old text", true, *this->out));
  this->text("old text");
  EXPECT_TRUE(keyout::KeySendData("{C+A}new", true, *this->out));
  EXPECT_EQ(this->text("new"), "new");
}

TYPED_TEST_P(TypingSuite, NormalModePostsJapaneseWhole) {
  EXPECT_TRUE(keyout::KeySendData("日本語ｶﾅ", true, *this->out));
  EXPECT_TRUE(keyout::KeySendData("品番A-1　数量３{ENTER}", true, *this->out));
  const std::string expected = "日本語ｶﾅ品番A-1　数量３\n";
  EXPECT_EQ(this->text(expected), expected);
}

TYPED_TEST_P(TypingSuite, AFailureHalfWayLeavesNoModifierDown) {
  EXPECT_TRUE(keyout::KeySendData("abc", true, *this->out));
  // The pause after Shift went down fails: Shift must come up again all the same.
  this->settings.set(settings::Setting::KeyDwnWeight, "x");
  EXPECT_FALSE(keyout::KeySendData("{S+A}", true, *this->out));
  this->settings.set(settings::Setting::KeyDwnWeight, "0");
  EXPECT_TRUE(keyout::KeySendData("d", true, *this->out));
  EXPECT_EQ(this->text("abcd"), "abcd");
}

TYPED_TEST_P(TypingSuite, LowLevelModeDropsJapaneseCharacters) {
  EXPECT_TRUE(keyout::LowKeySendData("ab日本語c{TAB}Dｶﾅ!{C+A}", true, *this->out));
  EXPECT_EQ(this->text("abc\tD!a"), "abc\tD!a") << "{C+A} presses A alone in this mode";
}

TYPED_TEST_P(TypingSuite, PasteModeThreePastesThroughTheClipboard) {
  EXPECT_TRUE(keyout::DOSKeySendData("ABC{ENTER}日本語ｶﾅ", true, 3, *this->out));
  EXPECT_EQ(this->text("ABC\n日本語ｶﾅ"), "ABC\n日本語ｶﾅ");
  this->backend.checkClipboardAfterPaste();
}

REGISTER_TYPED_TEST_SUITE_P(TypingSuite, NormalModeTypesAsciiBracesTabAndEnter,
                            NormalModeCtrlAThenTextReplacesTheSelection, NormalModePostsJapaneseWhole,
                            AFailureHalfWayLeavesNoModifierDown, LowLevelModeDropsJapaneseCharacters,
                            PasteModeThreePastesThroughTheClipboard);

}  // namespace orbelin::test
