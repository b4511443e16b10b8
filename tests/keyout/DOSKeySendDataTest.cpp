#include <gtest/gtest.h>

#include "KeyFixture.h"
#include "keyout/DOSKeySendData.h"

namespace orbelin::keyout {
namespace {

using namespace test;

const Lines kCtrlV = {"key 17 29 0", "key 86 47 0", "key 86 47 2", "key 17 29 2"};
const Lines kEmptied = {"sleep 100", "clip \"\"", "sleep 100"};

struct PasteCase {
  const char* keyString;
  std::int16_t mode;
  const char* keyWeight;
  Lines expected;
};

TEST(DOSKeySendData, PastesRunsOfTextBetweenKeys) {
  const PasteCase cases[] = {
      {"ABC{ENTER}DEF", 3, "0",
       cat({{"clip \"ABC\""}, kCtrlV, kEmptied, press(13, 28), {"sleep 100", "clip \"DEF\""}, kCtrlV, kEmptied})},
      {"日本", 1, "0",
       cat({{"clip \"日本\"", "key 18 56 0", "key 32 57 0", "key 32 57 2", "key 18 56 2"}, press(69, 18),
            press(80, 25), kEmptied})},
      {"x", 2, "9",
       cat({{"clip \"x\"", "sleep 9", "key 18 56 0", "key 69 18 0", "key 69 18 2", "key 18 56 2"}, press(80, 25),
            {"sleep 9"}, kEmptied})},
      {"x", 7, "9", cat({{"clip \"x\"", "sleep 9"}, kCtrlV, {"sleep 9"}, kEmptied})},
      {"{TAB}{C+V}", 3, "0", cat({press(9, 15), {"sleep 100"}, press(86, 47), {"sleep 100"}})},
      {"a{{}b", 3, "0", cat({{"clip \"a\""}, kCtrlV, kEmptied, {"clip \"{b\""}, kCtrlV, kEmptied})},
      {"a{}}", 3, "0", cat({{"clip \"a\""}, kCtrlV, kEmptied, {"clip \"}\""}, kCtrlV, kEmptied})},
      {"a{zz}", 3, "0", cat({{"clip \"a\""}, kCtrlV, kEmptied, {"clip \"{zz}\""}, kCtrlV, kEmptied})},
      {"No.{Date}", 3, "0",
       cat({{"clip \"No.\""}, kCtrlV, kEmptied, {"clip \"2008/03/28\""}, kCtrlV, kEmptied})},
      {"A\tB", 3, "4", cat({{"clip \"A\"", "sleep 4"}, kCtrlV, {"sleep 4"}, kEmptied, {"sleep 4"}, press(9, 15),
                            {"sleep 4", "clip \"B\"", "sleep 4"}, kCtrlV, {"sleep 4"}, kEmptied})},
      {"{RCtrl}", 3, "0", cat({press(17, 29, 1), {"sleep 100"}})},
  };
  for (const auto& c : cases) {
    KeyFixture f;
    f.weights(c.keyWeight, "0");
    EXPECT_TRUE(DOSKeySendData(c.keyString, true, c.mode, f.out)) << c.keyString;
    EXPECT_EQ(f.lines(), c.expected) << c.keyString;
  }
}

TEST(DOSKeySendData, BracesAreTextWhenTokensAreOff) {
  KeyFixture f;
  EXPECT_TRUE(DOSKeySendData("{ENTER}", false, 3, f.out));
  EXPECT_EQ(f.lines(), cat({{"clip \"{ENTER}\""}, kCtrlV, kEmptied}));
}

TEST(DOSKeySendData, ClipboardThatCannotBeOpenedIsAFailure) {
  KeyFixture f;
  f.clipboard.setAvailable(false);
  EXPECT_FALSE(DOSKeySendData("{TAB}abc{TAB}", true, 3, f.out));
  EXPECT_EQ(f.lines(), cat({press(9, 15), {"sleep 100",
                                           "msgbox warning \"DOSKeySendData\" \"キー入力転送に失敗しました。\""}}));
  EXPECT_EQ(f.h.errorLines(), (Lines{"[DOSKeySendData] QELT:クリップボードを開けません。"}));
}

TEST(DOSKeySendData, BadPauseDuringThePasteKeysReleasesCtrl) {
  KeyFixture f;
  f.weights("0", "x");
  EXPECT_FALSE(DOSKeySendData("abc", true, 3, f.out));
  EXPECT_EQ(f.lines(), (Lines{"clip \"abc\"", "key 17 29 0", "key 17 29 2",
                              "msgbox warning \"DOSKeySendData\" \"キー入力転送に失敗しました。\""}));
}

}  // namespace
}  // namespace orbelin::keyout
