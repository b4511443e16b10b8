#include <gtest/gtest.h>
#include <windows.h>

#include <QClipboard>
#include <QGuiApplication>
#include <memory>
#include <string>

#include "convert/codec/Cp932.h"
#include "keyout/DOSKeySendData.h"
#include "keyout/KeyOutput.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"
#include "platform/qt/QtClipboard.h"
#include "platform/win32/Win32Keyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"
#include "FakeImeCalls.h"
#include "TextBoxDriver.h"

// Runs under with-wine.sh --xvfb: types into the EDIT control of TextBoxClient, a process
// of its own, and reads its text back.
namespace orbelin::platform::win32 {
namespace {

QGuiApplication& application() {
  static int argc = 1;
  static char name[] = "win32_typing_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return app;
}

class Win32TypingTest : public testing::Test {
 protected:
  void SetUp() override {
    application();
    ASSERT_TRUE(box.ready()) << "the text box did not come to the foreground";
  }

  test::Harness harness;
  settings::Settings settings = settings::Settings::defaults();
  qt::QtClipboard clipboard;
  Win32Keyboard keyboard{qt::servingPause};
  keyout::KeyOutput out{keyboard, clipboard, harness.clock, settings, harness.reporter, nullptr};
  test::TextBox box;
};

TEST_F(Win32TypingTest, NormalModeTypesAsciiTabAndEnter) {
  EXPECT_TRUE(keyout::KeySendData("Lot 42-A/7 (ok)!{TAB}x{ENTER}y{{}z{}}\rend", true, out));
  const std::string expected = "Lot 42-A/7 (ok)!\tx\ny{z}\nend";
  EXPECT_EQ(box.settle(expected), expected);
}

TEST_F(Win32TypingTest, NormalModeCtrlAThenTextReplacesTheSelection) {
  EXPECT_TRUE(keyout::KeySendData("old text", true, out));
  box.settle("old text");
  EXPECT_TRUE(keyout::KeySendData("{C+A}new", true, out));
  EXPECT_EQ(box.settle("new"), "new");
}

TEST_F(Win32TypingTest, NormalModePostsJapaneseAsUtf16) {
  EXPECT_TRUE(keyout::KeySendData("日本語ｶﾅ", true, out));
  EXPECT_EQ(box.settle("日本語ｶﾅ"), "日本語ｶﾅ");
}

TEST_F(Win32TypingTest, PasteModeThreePastesThroughTheClipboard) {
  EXPECT_TRUE(keyout::DOSKeySendData("ABC{ENTER}日本語ｶﾅ", true, 3, out));
  EXPECT_EQ(box.settle("ABC\n日本語ｶﾅ"), "ABC\n日本語ｶﾅ");
}

// The IME's side is a fake (no IME runs under Wine); the keys and the text box are real.
class Win32ImeTypingTest : public Win32TypingTest {
 protected:
  test::FakeIme ime;
  Win32Keyboard imeKeyboard{qt::servingPause, std::make_unique<test::FakeImeCalls>(ime)};
  keyout::KeyOutput imeOut{imeKeyboard, clipboard, harness.clock, settings, harness.reporter, nullptr};
};

TEST_F(Win32ImeTypingTest, AnOpenImeIsClosedForTheRecordAndOpenedAgain) {
  EXPECT_TRUE(keyout::KeySendData("abc-123{TAB}x{ENTER}", true, imeOut));
  EXPECT_EQ(box.settle("abc-123\tx\n"), "abc-123\tx\n");
  EXPECT_EQ(ime.calls, (std::vector<std::string>{"get", "set 0", "set 1"}));
  EXPECT_TRUE(ime.open);
  EXPECT_TRUE(harness.errorLines().empty());
}

TEST_F(Win32ImeTypingTest, AnImeThatDoesNotAnswerIsLoggedOnceAndTypedPast) {
  ime.statusTimesOut = true;
  EXPECT_TRUE(keyout::KeySendData("ab", true, imeOut));
  EXPECT_TRUE(keyout::LowKeySendData("cd", true, imeOut));
  EXPECT_EQ(box.settle("abcd"), "abcd");
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
