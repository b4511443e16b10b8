#include <gtest/gtest.h>

#include "KeyFixture.h"
#include "keyout/KeySendData.h"

namespace orbelin::keyout {
namespace {

using namespace test;

const Lines kShiftA = {"key 16 42 0", "key 65 30 0", "key 65 30 2", "key 16 42 2"};

TEST(KeySendData, PostsCharactersAndPressesKeysWithTheirPauses) {
  const TransferCase cases[] = {
      {"あA", "0", "0", {"ime -32096", "ime 65"}},
      // A lone lead byte at the end (its stand-in in the text) keeps its code.
      {"A\uF781", "0", "0", {"ime 65", "ime 129"}},
      // A after 10 + 50 ms, then 50 + 10; B after 10, then 10.
      {"AB", "50", "10", {"sleep 10", "sleep 50", "ime 65", "sleep 50", "sleep 10", "sleep 10", "ime 66", "sleep 10"}},
      {"\r", "5", "0", {"sleep 5", "key 13 28 0", "key 13 28 2", "sleep 100", "sleep 5"}},
      {"{TAB}", "20", "0", cat({{"sleep 20"}, press(9, 15), {"sleep 20"}})},
      {"{C+V}", "0", "3", {"key 17 29 0", "sleep 3", "key 86 47 0", "sleep 3", "key 86 47 2", "sleep 3",
                           "key 17 29 2", "sleep 3"}},
      {"{RShift}", "0", "0", press(16, 54, 0)},
      {"{RCtrl}", "0", "0", press(17, 29, 1)},
      // Braces by their keys (Shift + [ ]), with no KeyWeight pauses.
      {"{{}{}}", "20", "0", {"key 16 42 0", "key 219 26 0", "key 219 26 2", "key 16 42 2", "key 16 42 0",
                             "key 221 27 0", "key 221 27 2", "key 16 42 2"}},
      {"{{ENTER}", "0", "0", cat({{"key 16 42 0", "key 219 26 0", "key 219 26 2", "key 16 42 2"}, press(13, 28)})},
      {"{enter}", "0", "0", {"key 16 42 0", "key 219 26 0", "key 219 26 2", "key 16 42 2", "ime 101", "ime 110",
                             "ime 116", "ime 101", "ime 114", "ime 125"}},
      {"{Date}", "0", "0", {"ime 50", "ime 48", "ime 48", "ime 56", "ime 47", "ime 48", "ime 51", "ime 47",
                            "ime 50", "ime 56"}},
      {"{Time}", "0", "0", {"ime 49", "ime 52", "ime 58", "ime 48", "ime 53", "ime 58", "ime 48", "ime 57"}},
  };
  expectTransfers(cases, KeySendData);
}

TEST(KeySendData, PostsBracesWhenTokensAreOff) {
  KeyFixture f;
  EXPECT_TRUE(KeySendData("{A}", false, f.out));
  EXPECT_EQ(f.lines(), (Lines{"ime 123", "ime 65", "ime 125"}));
}

TEST(KeySendData, GivesFirstCharacterPausesWhereAnExpansionRestoresTheInitialCount) {
  KeyFixture f;
  f.weights("50", "0");
  // "ABCD{Date}" is 10 bytes; the date "2008/03/28" is 10 bytes again.
  EXPECT_TRUE(KeySendData("ABCD{Date}", true, f.out));
  const Lines expected = {"sleep 50", "ime 65", "sleep 50", "ime 66", "ime 67", "ime 68",
                          "sleep 50", "ime 50", "sleep 50", "ime 48", "ime 48", "ime 56",
                          "ime 47",   "ime 48", "ime 51",   "ime 47", "ime 50", "ime 56"};
  EXPECT_EQ(f.lines(), expected);
}

// Neither a key string with no focus window to reach nor an empty one types anything.
TEST(KeySendData, TypesNothingWhenNoFocusWindowCanBeReachedOrTheStringIsEmpty) {
  for (const char* keyString : {"AB{ENTER}", ""}) {
    KeyFixture f;
    f.keyboard.setFocusWindow(std::nullopt);
    EXPECT_TRUE(KeySendData(keyString, true, f.out)) << keyString;
    EXPECT_TRUE(f.lines().empty()) << keyString;
  }
}

TEST(KeySendData, StopsQuietlyWhenTheFocusIsLostMidway) {
  KeyFixture f;
  f.keyboard.loseFocusAfter(2);
  EXPECT_TRUE(KeySendData("AB{ENTER}C", true, f.out));
  EXPECT_EQ(f.lines(), (Lines{"ime 65", "ime 66"}));
  EXPECT_TRUE(f.h.errorLines().empty());
}

TEST(KeySendData, BadPauseFailsWithTheWindowBroughtBackAndAReport) {
  KeyFixture f;
  f.weights("0", "x");
  EXPECT_FALSE(KeySendData("AB", true, f.out));
  EXPECT_EQ(f.lines(), (Lines{"activate", "msgbox warning \"KeySendData\" \"キー入力転送に失敗しました。\""}));
  EXPECT_EQ(f.h.errorLines(), (Lines{"[KeySendData] QELT:型が一致しません。"}));
}

TEST(KeySendData, FailureHalfwayThroughAShortcutReleasesCtrlFirst) {
  KeyFixture f;
  f.weights("0", "x");
  EXPECT_FALSE(KeySendData("{C+V}", true, f.out));
  EXPECT_EQ(f.lines(), (Lines{"key 17 29 0", "key 17 29 2", "activate",
                              "msgbox warning \"KeySendData\" \"キー入力転送に失敗しました。\""}));
}

TEST(KeySendData, FailureAfterTextKeepsWhatWasSent) {
  KeyFixture f;
  f.weights("99999999999", "0");
  // The literal brace and the second character need no KeyWeight; {TAB} does.
  EXPECT_FALSE(KeySendData("{{}A{TAB}B", true, f.out));
  EXPECT_EQ(f.lines(), (Lines{"key 16 42 0", "key 219 26 0", "key 219 26 2", "key 16 42 2", "ime 65", "activate",
                              "msgbox warning \"KeySendData\" \"キー入力転送に失敗しました。\""}));
  EXPECT_EQ(f.h.errorLines(), (Lines{"[KeySendData] QELT:オーバーフローしました。"}));
}

TEST(KeySendData, FailsWithoutAMainWindowToBringBack) {
  KeyFixture f;
  f.out.mainWindow = nullptr;
  f.weights("x", "0");
  EXPECT_FALSE(KeySendData("A", true, f.out));
  EXPECT_EQ(f.lines(), (Lines{"msgbox warning \"KeySendData\" \"キー入力転送に失敗しました。\""}));
}

TEST(KeySendData, NegativePausesWaitNotAtAll) {
  KeyFixture f;
  f.weights("-5", "-1");
  EXPECT_TRUE(KeySendData("A\r", true, f.out));
  EXPECT_EQ(f.lines(), (Lines{"ime 65", "key 13 28 0", "key 13 28 2", "sleep 100"}));
}

TEST(KeySendData, PausesPassInVirtualTime) {
  KeyFixture f;
  f.weights("50", "10");
  ASSERT_TRUE(KeySendData("AB", true, f.out));
  EXPECT_EQ(f.h.clock.monotonicMs(), 10 + 50 + 50 + 10 + 10 + 10);
}

}  // namespace
}  // namespace orbelin::keyout
