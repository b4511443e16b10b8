#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>

#include "TextBoxDriver.h"
#include "convert/codec/Cp932.h"
#include "platform/sim/RecordingKeyboard.h"
#include "platform/x11/X11Keyboard.h"
#include "support/WaitFor.h"

namespace orbelin::platform::x11 {
namespace {

using test::x11::TextBoxDriver;

constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kCtrl = 0x11;

std::unique_ptr<X11Keyboard> openKeyboard() {
  auto opened = X11Keyboard::open();
  EXPECT_TRUE(opened.keyboard) << opened.reason;
  return std::move(opened.keyboard);
}

// One key down and up, as the engine presses it.
void press(Keyboard& keyboard, std::uint8_t virtualKey, std::uint32_t flags = 0) {
  const std::uint8_t scan = keyboard.scanCodeOf(virtualKey);
  keyboard.keyEvent(virtualKey, scan, flags);
  keyboard.keyEvent(virtualKey, scan, flags | kKeyUp);
}

// Types ASCII text key by key, with Shift where the layout needs it.
void typeKeys(Keyboard& keyboard, std::string_view text) {
  for (char c : text) {
    const std::int16_t key = keyboard.keyForCharacter(static_cast<std::uint8_t>(c));
    ASSERT_NE(key, -1) << "no key for " << c;
    const bool shift = (key & 0x100) != 0;
    if (shift) keyboard.keyEvent(kShift, 42, 0);
    press(keyboard, static_cast<std::uint8_t>(key & 0xFF));
    if (shift) keyboard.keyEvent(kShift, 42, kKeyUp);
  }
}

// Posts UTF-8 text character by character, as the engine reads it: by its code page 932
// characters.
void post(Keyboard& keyboard, std::string_view utf8) {
  const std::string bytes = codec::toCp932(utf8);
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = codec::charLengthAt(bytes, pos);
    const auto focus = keyboard.focusWindow();
    ASSERT_TRUE(focus);
    keyboard.postCharacter(*focus, codec::decodeCharacter(std::string_view(bytes).substr(pos, length)));
    pos += length;
  }
}

class X11KeyboardTest : public testing::Test {
 protected:
  void SetUp() override {
    keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    ASSERT_TRUE(client.ready()) << client.problem();
  }
  std::string text() { return client.text(*keyboard).value_or("<no answer>"); }

  TextBoxDriver client;
  std::unique_ptr<X11Keyboard> keyboard;
};

TEST(X11KeyboardOpen, ExplainsWhyThereIsNoKeyboardWithoutADisplay) {
  const auto opened = X11Keyboard::open(":4242");
  EXPECT_FALSE(opened.keyboard);
  EXPECT_NE(opened.reason.find(":4242"), std::string::npos) << opened.reason;
}

TEST(X11KeyboardOpen, SaysSoWhenNoDisplayIsSet) {
  const std::string saved = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
  unsetenv("DISPLAY");
  const auto opened = X11Keyboard::open();
  setenv("DISPLAY", saved.c_str(), 1);
  EXPECT_FALSE(opened.keyboard);
  EXPECT_EQ(opened.reason, "no X display: DISPLAY is not set");
}

TEST(X11KeyboardOpen, NoFocusWindowMeansTheAttachFailed) {
  auto keyboard = openKeyboard();
  ASSERT_TRUE(keyboard);
  // A fresh server has the focus on PointerRoot; with no window there is nothing to type into.
  EXPECT_FALSE(keyboard->focusWindow());
}

TEST(X11KeyboardOpen, LayoutAgreesWithTheUsTablesOfTheTranscripts) {
  auto keyboard = openKeyboard();
  ASSERT_TRUE(keyboard);
  for (int c = 0x01; c <= 0x7E; ++c) {
    if (c == 0x1B) continue;  // ESC is the Escape key here, not Ctrl+[
    EXPECT_EQ(keyboard->keyForCharacter(static_cast<std::uint8_t>(c)), sim::usKeyForCharacter(static_cast<std::uint8_t>(c)))
        << "character " << c;
  }
  for (int vk = 0; vk <= 0xFF; ++vk) {
    EXPECT_EQ(keyboard->scanCodeOf(static_cast<std::uint8_t>(vk)), sim::usScanCodeOf(static_cast<std::uint8_t>(vk)))
        << "virtual key " << vk;
  }
  EXPECT_EQ(keyboard->keyForCharacter(0x1B), 0x001B);
  EXPECT_EQ(keyboard->keyForCharacter(0xB6), -1) << "half-width katakana has no key on this layout";
  EXPECT_EQ(keyboard->keyForCharacter(0x82), -1) << "a lead byte is no character";
  EXPECT_GT(keyboard->spareBindings(), 0u);
}

TEST_F(X11KeyboardTest, FindsTheClientAsFocusWindow) { EXPECT_TRUE(keyboard->focusWindow()); }

TEST_F(X11KeyboardTest, TypesLettersDigitsAndSymbolsWithShift) {
  const std::string text1 = "Hello World 0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ xyz";
  typeKeys(*keyboard, text1);
  EXPECT_EQ(text(), text1);
}

TEST_F(X11KeyboardTest, PressesTabAndEnter) {
  typeKeys(*keyboard, "a");
  press(*keyboard, 0x09);
  typeKeys(*keyboard, "b");
  press(*keyboard, 0x0D);
  typeKeys(*keyboard, "c");
  press(*keyboard, 0x0D, kKeyExtended);  // keypad Enter
  typeKeys(*keyboard, "d");
  EXPECT_EQ(text(), "a\tb\nc\nd");
}

TEST_F(X11KeyboardTest, CtrlAThenTextReplacesTheSelection) {
  typeKeys(*keyboard, "old text");
  keyboard->keyEvent(kCtrl, 29, 0);
  press(*keyboard, 'A');
  keyboard->keyEvent(kCtrl, 29, kKeyUp);
  typeKeys(*keyboard, "new");
  EXPECT_EQ(text(), "new");
}

TEST_F(X11KeyboardTest, RightHandModifiersWork) {
  typeKeys(*keyboard, "abc");
  keyboard->keyEvent(kCtrl, 29, kKeyExtended);
  press(*keyboard, 'A');
  keyboard->keyEvent(kCtrl, 29, kKeyExtended | kKeyUp);
  keyboard->keyEvent(kShift, 0x36, 0);
  press(*keyboard, 'X');
  keyboard->keyEvent(kShift, 0x36, kKeyUp);
  typeKeys(*keyboard, "y");
  EXPECT_EQ(text(), "Xy");
}

TEST_F(X11KeyboardTest, PostsJapaneseAndAsciiCharactersWhole) {
  post(*keyboard, "日本語ｶﾅ");
  post(*keyboard, "A1 あ{");
  EXPECT_EQ(text(), "日本語ｶﾅA1 あ{");
}

TEST_F(X11KeyboardTest, Posts450JapaneseCharactersCompleteAndInOrder) {
  // Posted without a plan: each character borrows its binding on first use and keeps it.
  // Every character of the sentence is three bytes of UTF-8 and two of code page 932.
  const std::string sentence =
      "東京都千代田区丸の内一丁目九番二号　株式会社オルベリン物流センター　入荷検品済み。北海道札幌市中央区南";
  std::string expected;
  for (std::size_t i = 0; i < 450; ++i) expected += sentence.substr((i * 3) % sentence.size(), 3);
  ASSERT_EQ(codec::toCp932(expected).size(), 900u);
  post(*keyboard, expected);
  EXPECT_EQ(text(), expected);
  EXPECT_GT(keyboard->mappingChanges(), 0);
}

TEST_F(X11KeyboardTest, PostedCharactersIgnoreCapsLockWhileKeysFollowIt) {
  constexpr std::uint8_t kCapsLock = 0x14;
  press(*keyboard, kCapsLock);
  post(*keyboard, "aB1!");
  typeKeys(*keyboard, "a");
  press(*keyboard, kCapsLock);
  typeKeys(*keyboard, "a");
  EXPECT_EQ(text(), "aB1!Aa");
}

TEST_F(X11KeyboardTest, TracesWhatItIsAskedToDo) {
  std::ostringstream trace;
  keyboard->setTrace(&trace);
  press(*keyboard, 'A');
  post(*keyboard, "あ");
  keyboard->sleep(1);
  keyboard->setTrace(nullptr);
  EXPECT_EQ(trace.str(), "key 65 30 0\nkey 65 30 2\nime -32096\nsleep 1\n");
  EXPECT_EQ(text(), "aあ");
}

TEST_F(X11KeyboardTest, PostingToNoWindowTypesNothing) {
  keyboard->postCharacter(0, U'x');
  keyboard->postCharacter(*keyboard->focusWindow(), codec::decodeCharacter("\x81"));  // a lone lead byte
  post(*keyboard, "z");
  EXPECT_EQ(text(), "z");
}

TEST_F(X11KeyboardTest, ReleaseAllLeavesNoModifierDown) {
  keyboard->keyEvent(kShift, 42, 0);
  keyboard->keyEvent(kCtrl, 29, kKeyExtended);
  keyboard->releaseAll();
  typeKeys(*keyboard, "a");
  {
    // A keyboard that ends with keys held releases them.
    auto other = openKeyboard();
    ASSERT_TRUE(other);
    other->keyEvent(kShift, 0x36, 0);
  }
  typeKeys(*keyboard, "b");
  EXPECT_EQ(text(), "ab");
}

TEST_F(X11KeyboardTest, GivesSpareKeycodesBackAtTheEnd) {
  const std::size_t spareBefore = test::x11::emptyKeycodeCount();
  post(*keyboard, "漢字");
  EXPECT_EQ(text(), "漢字");
  EXPECT_LT(test::x11::emptyKeycodeCount(), spareBefore) << "bindings are kept while typing";
  keyboard.reset();
  EXPECT_EQ(test::x11::emptyKeycodeCount(), spareBefore);
}

TEST_F(X11KeyboardTest, GivesSpareKeycodesBackWhenTypingIsIdle) {
  const std::size_t spareBefore = test::x11::emptyKeycodeCount();
  post(*keyboard, "仮");
  EXPECT_EQ(text(), "仮");
  ASSERT_LT(test::x11::emptyKeycodeCount(), spareBefore);
  // The release comes after the idle time; the guard only keeps a broken release from hanging.
  test::waitFor([&] { return test::x11::emptyKeycodeCount() >= spareBefore; }, std::chrono::seconds(60));
  EXPECT_EQ(test::x11::emptyKeycodeCount(), spareBefore);
  post(*keyboard, "仮");
  EXPECT_EQ(text(), "仮仮") << "a given-back keycode is bound again when needed";
}

}  // namespace
}  // namespace orbelin::platform::x11
