#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "WaylandTextBox.h"
#include "keyout/DOSKeySendData.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"

namespace orbelin::platform::wayland {
namespace {

// One keyboard for the whole program, as the desktop program keeps one.
WaylandKeyboard* sharedKeyboard() {
  static auto opened = WaylandKeyboard::open();
  return opened.keyboard.get();
}

// The three transfers typing into the text box client through the virtual keyboard and
// the data-control clipboard, with the default settings (both pauses "0").
class WaylandTypingTest : public testing::Test {
 protected:
  void SetUp() override {
    keyboard = sharedKeyboard();
    ASSERT_TRUE(keyboard) << WaylandKeyboard::open().reason;
    auto opened = WaylandClipboard::open();
    ASSERT_TRUE(opened.clipboard) << opened.reason;
    clipboard = std::move(opened.clipboard);
    out = std::make_unique<keyout::KeyOutput>(
        keyout::KeyOutput{*keyboard, *clipboard, harness.clock, settings, harness.reporter, nullptr});
    client = std::make_unique<test::wayland::WaylandTextBox>();
    ASSERT_TRUE(client->ready()) << client->problem();
  }

  std::string text() { return client->text(*keyboard).value_or("<no answer>"); }

  test::Harness harness;
  settings::Settings settings = settings::Settings::defaults();
  WaylandKeyboard* keyboard = nullptr;
  std::unique_ptr<WaylandClipboard> clipboard;
  std::unique_ptr<keyout::KeyOutput> out;
  std::unique_ptr<test::wayland::WaylandTextBox> client;
};

TEST_F(WaylandTypingTest, NormalModeTypesAsciiBracesTabAndEnter) {
  EXPECT_TRUE(keyout::KeySendData("Lot 42-A/7 (ok)!{TAB}x{ENTER}y{{}z{}}\rend", true, *out));
  EXPECT_EQ(text(), "Lot 42-A/7 (ok)!\tx\ny{z}\nend");
}

TEST_F(WaylandTypingTest, NormalModeCtrlAThenTextReplacesTheSelection) {
  EXPECT_TRUE(keyout::KeySendData("old text", true, *out));
  EXPECT_TRUE(keyout::KeySendData("{C+A}new", true, *out));
  EXPECT_EQ(text(), "new");
}

TEST_F(WaylandTypingTest, NormalModePostsJapaneseWhole) {
  EXPECT_TRUE(keyout::KeySendData("日本語ｶﾅ", true, *out));
  EXPECT_TRUE(keyout::KeySendData("品番A-1　数量３{ENTER}", true, *out));
  EXPECT_EQ(text(), "日本語ｶﾅ品番A-1　数量３\n");
}

TEST_F(WaylandTypingTest, AFailureHalfWayLeavesNoModifierDown) {
  EXPECT_TRUE(keyout::KeySendData("abc", true, *out));
  // The pause after Shift went down fails: Shift must come up again all the same.
  settings.set(settings::Setting::KeyDwnWeight, "x");
  EXPECT_FALSE(keyout::KeySendData("{S+A}", true, *out));
  settings.set(settings::Setting::KeyDwnWeight, "0");
  EXPECT_TRUE(keyout::KeySendData("d", true, *out));
  EXPECT_EQ(text(), "abcd");
}

TEST_F(WaylandTypingTest, LowLevelModeDropsJapaneseCharacters) {
  EXPECT_TRUE(keyout::LowKeySendData("ab日本語c{TAB}Dｶﾅ!{C+A}", true, *out));
  EXPECT_EQ(text(), "abc\tD!a") << "{C+A} presses A alone in this mode";
}

TEST_F(WaylandTypingTest, PasteModeThreePastesThroughTheBackgroundClipboard) {
  EXPECT_TRUE(keyout::DOSKeySendData("ABC{ENTER}日本語ｶﾅ", true, 3, *out));
  EXPECT_EQ(text(), "ABC\n日本語ｶﾅ");
}

TEST_F(WaylandTypingTest, TheClipboardOffersItsTextUntilAnotherOwnerReplacesIt) {
  ASSERT_TRUE(clipboard->setText("品番"));
  EXPECT_TRUE(keyout::KeySendData("{C+V}-{C+V}", true, *out));
  EXPECT_EQ(text(), "品番-品番");
  auto other = WaylandClipboard::open();
  ASSERT_TRUE(other.clipboard) << other.reason;
  ASSERT_TRUE(other.clipboard->setText("x"));
  EXPECT_TRUE(keyout::KeySendData("{C+V}", true, *out));
  EXPECT_EQ(text(), "品番-品番x");
}

}  // namespace
}  // namespace orbelin::platform::wayland
