#include <gtest/gtest.h>
#include <windows.h>

#include <QClipboard>
#include <QGuiApplication>
#include <memory>
#include <string>

#include "codec/Cp932.h"
#include "platform/qt/QtClipboard.h"
#include "platform/win32/Win32Keyboard.h"
#include "support/QtApplication.h"
#include "support/TypingSuite.h"
#include "support/Win32TextBox.h"
#include "FakeImeCalls.h"

// Runs under with-wine.sh --xvfb: types into the EDIT control of the text box client, a
// process of its own, and reads its text back.
namespace orbelin::platform::win32 {
namespace {

/// The keyboard, the Qt clipboard and the text box client at the foreground.
class Win32Typing {
 public:
  Win32Typing() { test::application<QGuiApplication>("win32_typing_tests"); }
  bool ready() const { return m_box.ready(); }
  std::string problem() const { return "the text box did not come to the foreground"; }
  Win32Keyboard& keyboard() { return m_keyboard; }
  qt::QtClipboard& clipboard() { return m_clipboard; }
  /// Posted characters reach the box after the call that reads it may have been
  /// answered: the text once it equals expected, or after a generous wait.
  std::string text(const std::string& expected) { return m_box.settle(expected); }
  void checkClipboardAfterPaste() {}

 private:
  qt::QtClipboard m_clipboard;
  Win32Keyboard m_keyboard{qt::servingPause};
  test::TextBox m_box;
};

using Win32TypingTest = test::TypingSuite<Win32Typing>;

// The IME's side is a fake (no IME runs under Wine); the keys and the text box are real.
class Win32ImeTypingTest : public Win32TypingTest {
 protected:
  test::FakeIme ime;
  Win32Keyboard imeKeyboard{qt::servingPause, std::make_unique<test::FakeImeCalls>(ime)};
  keyout::KeyOutput imeOut{imeKeyboard, backend.clipboard(), harness.clock, settings, harness.reporter, nullptr};
};

TEST_F(Win32ImeTypingTest, AnOpenImeIsClosedForTheRecordAndOpenedAgain) {
  EXPECT_TRUE(keyout::KeySendData("abc-123{TAB}x{ENTER}", true, imeOut));
  EXPECT_EQ(text("abc-123\tx\n"), "abc-123\tx\n");
  EXPECT_EQ(ime.calls, (std::vector<std::string>{"get", "set 0", "set 1"}));
  EXPECT_TRUE(ime.open);
  EXPECT_TRUE(harness.errorLines().empty());
}

TEST_F(Win32ImeTypingTest, AnImeThatDoesNotAnswerIsLoggedOnceAndTypedPast) {
  ime.statusTimesOut = true;
  EXPECT_TRUE(keyout::KeySendData("ab", true, imeOut));
  EXPECT_TRUE(keyout::LowKeySendData("cd", true, imeOut));
  EXPECT_EQ(text("abcd"), "abcd");
  EXPECT_EQ(ime.calls, (std::vector<std::string>{"get", "get"}));
  ASSERT_EQ(harness.errorLines().size(), 1u);
  EXPECT_NE(harness.errorLines()[0].find("IMC_GETOPENSTATUS"), std::string::npos);
}

TEST(Win32Keyboard, NoKeyIsLeftDownAfterReleaseAll) {
  Win32Keyboard keyboard;
  keyboard.keyEvent(VK_SHIFT, keyboard.scanCodeOf(VK_SHIFT), 0);
  keyboard.keyEvent(VK_CONTROL, keyboard.scanCodeOf(VK_CONTROL), 0);
  keyboard.releaseAll();
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0);
}

TEST(Win32Keyboard, CharactersBecomeUtf16Units) {
  EXPECT_EQ(utf16Of(U'A'), u"A");
  EXPECT_EQ(utf16Of(U'あ'), u"あ");
  EXPECT_EQ(utf16Of(U'ｶ'), u"ｶ");
  EXPECT_EQ(utf16Of(U'日'), u"日");
  EXPECT_EQ(utf16Of(U'\U0001F600'), u"\U0001F600");
  EXPECT_EQ(utf16Of(codec::decodeCharacter("\x81")), u"");
}

}  // namespace
}  // namespace orbelin::platform::win32

namespace orbelin::test {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, TypingSuite, platform::win32::Win32Typing);
}  // namespace orbelin::test
