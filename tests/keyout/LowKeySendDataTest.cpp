#include <gtest/gtest.h>

#include "KeyFixture.h"
#include "keyout/LowKeySendData.h"

namespace orbelin::keyout {
namespace {

using namespace test;

TEST(LowKeySendData, TypesEverythingAsKeyEvents) {
  const TransferCase cases[] = {
      {"A1", "50", "4",
       {"key 16 42 0", "sleep 4", "key 65 30 0", "sleep 4", "key 65 30 2", "sleep 4", "key 16 42 2", "sleep 4",
        "key 49 2 0", "sleep 4", "key 49 2 2", "sleep 4"}},
      {"あい", "50", "4", {}},
      {"{C+C}", "30", "0", cat({{"sleep 30"}, press(67, 46), {"sleep 30"}})},
      {"{A+0}{S+Z}", "0", "0", cat({press(48, 11), press(90, 44)})},
      {"{RAlt}", "0", "0", press(18, 56, 1)},
      {"{RShift}", "0", "0", press(16, 54, 0)},
      {"\r", "5", "0", cat({{"sleep 5"}, press(13, 28), {"sleep 5"}})},
      {"{}}", "50", "0", {"key 16 42 0", "key 221 27 0", "key 221 27 2", "key 16 42 2"}},
      {"{x", "50", "0", cat({{"key 16 42 0", "key 219 26 0", "key 219 26 2", "key 16 42 2"}, press(88, 45)})},
      {"{Time}", "0", "0",
       cat({press(49, 2), press(52, 5), {"key 16 42 0", "key 186 39 0", "key 186 39 2", "key 16 42 2"},
            press(48, 11), press(53, 6), {"key 16 42 0", "key 186 39 0", "key 186 39 2", "key 16 42 2"},
            press(48, 11), press(57, 10)})},
      {"a\xEF\xBD\xB1", "0", "0", press(65, 30)},  // half-width katakana has no key here
  };
  expectTransfers(cases, LowKeySendData);
}

TEST(LowKeySendData, LooksUpNoFocusWindow) {
  KeyFixture f;
  f.keyboard.setFocusWindow(std::nullopt);
  EXPECT_TRUE(LowKeySendData("b", true, f.out));
  EXPECT_EQ(f.lines(), press(66, 48));
}

TEST(LowKeySendData, BadPauseIsReportedUnderItsOwnName) {
  KeyFixture f;
  f.weights("0", "x");
  EXPECT_FALSE(LowKeySendData("A", true, f.out));
  // Shift was down when the pause after it failed; it is released before the report.
  EXPECT_EQ(f.lines(), (Lines{"key 16 42 0", "key 16 42 2",
                              "msgbox warning \"LowKeySendData\" \"キー入力転送に失敗しました。\""}));
  EXPECT_EQ(f.h.errorLines(), (Lines{"[LowKeySendData] QELT:型が一致しません。"}));
}

}  // namespace
}  // namespace orbelin::keyout
