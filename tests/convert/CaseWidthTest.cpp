#include "convert/CaseWidth.h"

#include <gtest/gtest.h>

namespace orbelin::convert {
namespace {

struct ConvCase {
  const char* mode;
  const char* input;
  const char* expected;
};

class CaseWidthCases : public ::testing::TestWithParam<ConvCase> {};

TEST_P(CaseWidthCases, MapsLikeTheJapaneseLocale) {
  EXPECT_EQ(ConvertCaseWidth(GetParam().input, GetParam().mode), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaseWidthCases,
    ::testing::Values(ConvCase{"1", "abc-xyz", "ABC-XYZ"}, ConvCase{"1", "ａｂｃ αβω абвё ⅰⅹ", "ＡＢＣ ΑΒΩ АБВЁ ⅠⅩ"},
                      ConvCase{"2", "ABC-XYZ", "abc-xyz"}, ConvCase{"2", "ＡＢＣ ΑΩ ЯЁ Ⅲ", "ａｂｃ αω яё ⅲ"},
                      ConvCase{"1", "あいうｶﾅ漢字", "あいうｶﾅ漢字"},
                      ConvCase{"3", "abc", "ａｂｃ"}, ConvCase{"3", "A1 ~\\", "Ａ１　～＼"},
                      ConvCase{"3", "ｶﾞｷﾞﾊﾟﾋﾟｳﾞﾜﾞ", "ガギパピヴワ゛"}, ConvCase{"3", "ｱｲｳｴｵｯｰ｡｢｣､･ﾞﾟ", "アイウエオッー。「」、・゛゜"},
                      ConvCase{"3", "ﾃﾞｰﾀ", "データ"}, ConvCase{"4", "ＡＢＣ１", "ABC1"},
                      ConvCase{"4", "ガギパピヴ", "ｶﾞｷﾞﾊﾟﾋﾟｳﾞ"}, ConvCase{"4", "データ　テスト", "ﾃﾞｰﾀ ﾃｽﾄ"},
                      ConvCase{"4", "ヵヶヰあ漢￥", "ヵヶヰあ漢￥"}, ConvCase{"0", "abcｶ", "abcｶ"},
                      ConvCase{"9", "abc", "abc"}, ConvCase{" ", "abc", "abc"}));

TEST(CaseWidth, WidthConversionsAreInverse) {
  const std::string narrow = "Orbelin 1.0 {ENTER} ｶﾞｲﾄﾞﾌﾞｯｸ ﾊﾟﾝ";
  EXPECT_EQ(ConvertCaseWidth(ConvertCaseWidth(narrow, "3"), "4"), narrow);
}

}  // namespace
}  // namespace orbelin::convert
