#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "codec/Cp932.h"
#include "platform/sim/RecordingKeyboard.h"
#include "platform/x11/X11Keyboard.h"
#include "support/KeyboardSuite.h"
#include "support/WaitFor.h"

// Last: Xlib's macros (None ...) clash with the names above.
#include <X11/Xlib.h>

namespace orbelin::platform::x11 {
namespace {

using namespace test;

std::unique_ptr<X11Keyboard> openKeyboard() { return test::openKeyboard<X11Keyboard>(); }

/// A keyboard of its own for each test and the text box client focused by this driver.
class X11Backend {
 public:
  static std::unique_ptr<X11Keyboard> open() { return openKeyboard(); }
  bool ready() const { return m_keyboard && m_client.ready(); }
  std::string problem() const { return m_keyboard ? m_client.problem() : "no keyboard"; }
  X11Keyboard& keyboard() { return *m_keyboard; }
  TextBox& client() { return m_client; }
  /// Ends the keyboard, as the program does when it ends.
  void closeKeyboard() { m_keyboard.reset(); }

 private:
  TextBox m_client{TextBox::Focus::Give};
  std::unique_ptr<X11Keyboard> m_keyboard = openKeyboard();
};

/// Keycodes without keysyms on the display right now.
std::size_t emptyKeycodeCount() {
  DisplayPtr display(XOpenDisplay(nullptr));
  return display ? readKeymap(display.get()).emptyKeycodes().size() : 0;
}

using X11KeyboardTest = test::KeyboardSuite<X11Backend>;

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

TEST_F(X11KeyboardTest, FindsTheClientAsFocusWindow) { EXPECT_TRUE(keyboard().focusWindow()); }

TEST_F(X11KeyboardTest, Posts450JapaneseCharactersCompleteAndInOrder) {
  // Posted without a plan: each character borrows its binding on first use and keeps it.
  // Every character of the sentence is three bytes of UTF-8 and two of code page 932.
  const std::string sentence =
      "東京都千代田区丸の内一丁目九番二号　株式会社オルベリン物流センター　入荷検品済み。北海道札幌市中央区南";
  std::string expected;
  for (std::size_t i = 0; i < 450; ++i) expected += sentence.substr((i * 3) % sentence.size(), 3);
  ASSERT_EQ(codec::toCp932(expected).size(), 900u);
  post(keyboard(), expected, false);
  EXPECT_EQ(text(), expected);
  EXPECT_GT(keyboard().mappingChanges(), 0);
}

TEST_F(X11KeyboardTest, PostingToNoWindowTypesNothing) {
  keyboard().postCharacter(0, U'x');
  keyboard().postCharacter(*keyboard().focusWindow(), codec::decodeCharacter("\x81"));  // a lone lead byte
  post(keyboard(), "z", false);
  EXPECT_EQ(text(), "z");
}

TEST_F(X11KeyboardTest, GivesSpareKeycodesBackAtTheEnd) {
  const std::size_t spareBefore = emptyKeycodeCount();
  post(keyboard(), "漢字", false);
  EXPECT_EQ(text(), "漢字");
  EXPECT_LT(emptyKeycodeCount(), spareBefore) << "bindings are kept while typing";
  backend.closeKeyboard();
  EXPECT_EQ(emptyKeycodeCount(), spareBefore);
}

TEST_F(X11KeyboardTest, GivesSpareKeycodesBackWhenTypingIsIdle) {
  const std::size_t spareBefore = emptyKeycodeCount();
  post(keyboard(), "仮", false);
  EXPECT_EQ(text(), "仮");
  ASSERT_LT(emptyKeycodeCount(), spareBefore);
  // The release comes after the idle time; the guard only keeps a broken release from hanging.
  waitFor([&] { return emptyKeycodeCount() >= spareBefore; }, std::chrono::seconds(60));
  EXPECT_EQ(emptyKeycodeCount(), spareBefore);
  post(keyboard(), "仮", false);
  EXPECT_EQ(text(), "仮仮") << "a given-back keycode is bound again when needed";
}

}  // namespace
}  // namespace orbelin::platform::x11

namespace orbelin::test {
INSTANTIATE_TYPED_TEST_SUITE_P(X11, KeyboardSuite, platform::x11::X11Backend);
}  // namespace orbelin::test
