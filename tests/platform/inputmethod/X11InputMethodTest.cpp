// The transfers typing into the text box client through the X11 keyboard while a
// Japanese input method composes (Mozc on): run under with-input-method.sh, which says
// which method through QT_IM_MODULE.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "keyout/DOSKeySendData.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"
#include "platform/inputmethod/MethodControl.h"
#include "platform/qt/QtClipboard.h"
#include "platform/x11/X11Keyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"
#include "support/QtApplication.h"
#include "support/MethodWait.h"
#include "support/TextBox.h"

namespace orbelin::platform::inputmethod {
namespace {

QGuiApplication& application() { return test::application<QGuiApplication>("x11_input_method_tests"); }

// Waits with a deadline until the method composes for the focus (or stops composing).
bool methodBecomes(MethodControl& method, bool on) {
  return test::methodBecomes(method, on, [] { QCoreApplication::processEvents(); });
}

class X11InputMethodTest : public testing::Test {
 protected:
  void SetUp() override {
    application();
    auto opened = x11::X11Keyboard::open(nullptr, qt::servingPause);
    ASSERT_TRUE(opened.keyboard) << opened.reason;
    keyboard = std::move(opened.keyboard);
    out = std::make_unique<keyout::KeyOutput>(
        keyout::KeyOutput{*keyboard, clipboard, harness.clock, settings, harness.reporter, nullptr});
    ASSERT_TRUE(client.ready()) << client.problem();
    ASSERT_TRUE(methodBecomes(*method, true)) << method->name() << " did not compose for the text box";
  }

  std::string text() {
    return client.text(*keyboard, [] { QCoreApplication::processEvents(); }).value_or("<no answer>");
  }

  // The method is the user's again once a record is typed.
  void expectMethodOn() { EXPECT_TRUE(methodBecomes(*method, true)) << method->name() << " stayed off"; }

  test::Harness harness;
  settings::Settings settings = settings::Settings::defaults();
  qt::QtClipboard clipboard;
  test::TextBox client{test::TextBox::Focus::Give};
  std::unique_ptr<x11::X11Keyboard> keyboard;
  std::unique_ptr<keyout::KeyOutput> out;
  std::unique_ptr<MethodControl> method = test::sessionMethod();
};

TEST_F(X11InputMethodTest, NormalModeRecordsArriveExactly) {
  for (const char* record : {"4912345678904{ENTER}", "abc-123/XYZ{TAB}x{ENTER}", "日本ｶﾅ{ENTER}"}) {
    EXPECT_TRUE(keyout::KeySendData(record, true, *out)) << record;
    expectMethodOn();
  }
  EXPECT_EQ(text(), "4912345678904\nabc-123/XYZ\tx\n日本ｶﾅ\n");
  EXPECT_TRUE(harness.errorLines().empty());
}

// A two-dimensional code of two thousand characters: the program may still be handing
// its keys to the method long after the record has been sent.
TEST_F(X11InputMethodTest, ALongRecordArrivesExactly) {
  std::string record;
  for (int i = 0; i < 120; ++i) record += "(01)04912345" + std::to_string(i % 10) + "日本ｶﾅ;";
  EXPECT_TRUE(keyout::KeySendData(record + "{ENTER}", true, *out));
  expectMethodOn();
  EXPECT_TRUE(keyout::KeySendData("end{ENTER}", true, *out));
  EXPECT_EQ(text(), record + "\nend\n");
}

TEST_F(X11InputMethodTest, NormalModeCtrlAReachesTheProgram) {
  EXPECT_TRUE(keyout::KeySendData("old text", true, *out));
  EXPECT_TRUE(keyout::KeySendData("{C+A}new 42{ENTER}", true, *out));
  EXPECT_EQ(text(), "new 42\n");
  expectMethodOn();
}

TEST_F(X11InputMethodTest, LowLevelAndPasteModesArriveExactly) {
  EXPECT_TRUE(keyout::LowKeySendData("ab-12{TAB}Z{ENTER}", true, *out));
  expectMethodOn();
  EXPECT_TRUE(keyout::DOSKeySendData("CD34{ENTER}日本ｶﾅ", true, 3, *out));
  expectMethodOn();
  EXPECT_EQ(text(), "ab-12\tZ\nCD34\n日本ｶﾅ");
}

TEST_F(X11InputMethodTest, ACompositionLeftOpenEndsBeforeTheScanWhichArrivesWhole) {
  // The user typed "ka" and left it uncommitted: Mozc holds "か". Switching the method
  // off ends it before the record: fcitx5 drops it, ibus commits or drops it.
  constexpr std::uint8_t kKeyK = 'K';
  constexpr std::uint8_t kKeyA = 'A';
  for (const auto key : {kKeyK, kKeyA}) {
    keyboard->keyEvent(key, keyboard->scanCodeOf(key), 0);
    keyboard->keyEvent(key, keyboard->scanCodeOf(key), kKeyUp);
  }
  keyboard->sleep(0);
  EXPECT_TRUE(keyout::KeySendData("4912345678904{ENTER}", true, *out));
  expectMethodOn();
  // Before the scan stands whatever of the user's keys got through (a loaded machine
  // may still be handing them over when the method goes off); the scan itself is whole.
  const std::string got = text();
  const std::string scan = "4912345678904\n";
  ASSERT_GE(got.size(), scan.size()) << got;
  EXPECT_EQ(got.substr(got.size() - scan.size()), scan) << got;
  EXPECT_EQ(got.substr(0, got.size() - scan.size()).find_first_of("0123456789\n"), std::string::npos) << got;
}

}  // namespace
}  // namespace orbelin::platform::inputmethod
