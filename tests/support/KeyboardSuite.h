#pragma once

// The keyboard tests that hold for every backend typing into the text box client. A
// backend's test program instantiates the suite with a type that gives
//   Backend()                        the keyboard and the text box, ready or not;
//   bool ready(), std::string problem()
//   keyboard()                       the backend's keyboard (releaseAll, setTrace)
//   TextBox& client()
//   static open()                    a second keyboard of its own, in a unique_ptr.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "support/KeyPresses.h"
#include "support/TextBox.h"

namespace orbelin::test {

/// A keyboard of the backend's on the session's display; a test failure says why not.
template <typename BackendKeyboard>
std::unique_ptr<BackendKeyboard> openKeyboard() {
  auto opened = BackendKeyboard::open();
  EXPECT_TRUE(opened.keyboard) << opened.reason;
  return std::move(opened.keyboard);
}

template <typename Backend>
class KeyboardSuite : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(backend.ready()) << backend.problem(); }
  auto& keyboard() { return backend.keyboard(); }
  std::string text() { return backend.client().text(backend.keyboard()).value_or("<no answer>"); }

  Backend backend;
};

TYPED_TEST_SUITE_P(KeyboardSuite);

TYPED_TEST_P(KeyboardSuite, TypesLettersDigitsAndSymbolsWithShift) {
  const std::string text1 = "Hello World 0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ xyz";
  typeKeys(this->keyboard(), text1);
  EXPECT_EQ(this->text(), text1);
}

TYPED_TEST_P(KeyboardSuite, PressesTabAndEnter) {
  auto& keyboard = this->keyboard();
  typeKeys(keyboard, "a");
  press(keyboard, 0x09);
  typeKeys(keyboard, "b");
  press(keyboard, 0x0D);
  typeKeys(keyboard, "c");
  press(keyboard, 0x0D, platform::kKeyExtended);  // keypad Enter
  typeKeys(keyboard, "d");
  EXPECT_EQ(this->text(), "a\tb\nc\nd");
}

TYPED_TEST_P(KeyboardSuite, TypesLettersDigitsSymbolsTabAndEnter) {
  auto& keyboard = this->keyboard();
  const std::string line = "Hello World 0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ xyz";
  typeKeys(keyboard, line);
  press(keyboard, 0x09);
  typeKeys(keyboard, "b");
  press(keyboard, 0x0D);
  typeKeys(keyboard, "c");
  press(keyboard, 0x0D, platform::kKeyExtended);  // keypad Enter
  EXPECT_EQ(this->text(), line + "\tb\nc\n");
}

TYPED_TEST_P(KeyboardSuite, CtrlAThenTextReplacesTheSelection) {
  auto& keyboard = this->keyboard();
  typeKeys(keyboard, "old text");
  pressWith(keyboard, kCtrl, 29, 0, 'A');
  typeKeys(keyboard, "new");
  EXPECT_EQ(this->text(), "new");
}

TYPED_TEST_P(KeyboardSuite, RightHandModifiersWork) {
  auto& keyboard = this->keyboard();
  typeKeys(keyboard, "abc");
  pressWith(keyboard, kCtrl, 29, platform::kKeyExtended, 'A');
  pressWith(keyboard, kShift, 0x36, 0, 'X');
  typeKeys(keyboard, "y");
  EXPECT_EQ(this->text(), "Xy");
}

TYPED_TEST_P(KeyboardSuite, PostsJapaneseAndAsciiWholeWithOrWithoutAnnouncement) {
  post(this->keyboard(), "日本語ｶﾅ", true);
  post(this->keyboard(), "A1 あ{", false);
  EXPECT_EQ(this->text(), "日本語ｶﾅA1 あ{");
}

TYPED_TEST_P(KeyboardSuite, PostedCharactersIgnoreCapsLockWhileKeysFollowIt) {
  auto& keyboard = this->keyboard();
  press(keyboard, kCapsLock);
  post(keyboard, "aB1!", true);
  typeKeys(keyboard, "a");
  press(keyboard, kCapsLock);
  typeKeys(keyboard, "a");
  EXPECT_EQ(this->text(), "aB1!Aa");
}

TYPED_TEST_P(KeyboardSuite, TracesWhatItIsAskedToDo) {
  auto& keyboard = this->keyboard();
  std::ostringstream trace;
  keyboard.setTrace(&trace);
  press(keyboard, 'A');
  post(keyboard, "あ", true);
  keyboard.sleep(1);
  keyboard.setTrace(nullptr);
  EXPECT_EQ(trace.str(), "key 65 30 0\nkey 65 30 2\nime -32096\nsleep 1\n");
  EXPECT_EQ(this->text(), "aあ");
}

TYPED_TEST_P(KeyboardSuite, ReleaseAllLeavesNoModifierDown) {
  auto& keyboard = this->keyboard();
  keyboard.keyEvent(kShift, 42, 0);
  keyboard.keyEvent(kCtrl, 29, platform::kKeyExtended);
  keyboard.releaseAll();
  typeKeys(keyboard, "a");
  {
    // A keyboard that ends with keys held releases them.
    auto other = TypeParam::open();
    ASSERT_TRUE(other);
    other->keyEvent(kShift, 0x36, 0);
  }
  typeKeys(keyboard, "b");
  EXPECT_EQ(this->text(), "ab");
}

REGISTER_TYPED_TEST_SUITE_P(KeyboardSuite, TypesLettersDigitsAndSymbolsWithShift, PressesTabAndEnter,
                            TypesLettersDigitsSymbolsTabAndEnter, CtrlAThenTextReplacesTheSelection,
                            RightHandModifiersWork, PostsJapaneseAndAsciiWholeWithOrWithoutAnnouncement,
                            PostedCharactersIgnoreCapsLockWhileKeysFollowIt, TracesWhatItIsAskedToDo,
                            ReleaseAllLeavesNoModifierDown);

}  // namespace orbelin::test
