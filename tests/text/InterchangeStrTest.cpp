#include "text/InterchangeStr.h"

#include <gtest/gtest.h>

#include "codec/Cp932.h"
#include "text/Integers.h"
#include "support/Harness.h"

namespace orbelin::text {
namespace {

struct ReplaceCase {
  const char* source;
  const char* find;
  const char* replacement;
  const char* expected;
};

class InterchangeStrCases : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(InterchangeStrCases, ReplacesLeftToRightWithoutRescanning) {
  test::Harness h;
  const auto& c = GetParam();
  EXPECT_EQ(InterchangeStr(c.source, c.find, c.replacement, h.reporter), c.expected);
  EXPECT_TRUE(h.transcript.lines().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, InterchangeStrCases,
                         ::testing::Values(ReplaceCase{"ABCABC", "B", "xy", "AxyCAxyC"},
                                           ReplaceCase{"AAAA", "AA", "A", "AA"},
                                           ReplaceCase{"A", "A", "AA", "AA"},
                                           ReplaceCase{"AAA", "A", "AA", "AAAAAA"},
                                           ReplaceCase{"abcabc", "abc", "abc", "abcabc"},
                                           ReplaceCase{"aXbXXc", "X", "", "abc"},
                                           ReplaceCase{"", "A", "B", ""},
                                           ReplaceCase{"abc", "", "B", "abc"},
                                           ReplaceCase{"abcX", "X", "yz", "abcyz"},
                                           ReplaceCase{"ｶﾅカナ", "ｶ", "か", "かﾅカナ"},
                                           ReplaceCase{"line\r\nnext\r\n", "\r\n", "", "linenext"}));

TEST(InterchangeStr, MatchesTheSecondByteOfADoubleByteCharacter) {
  test::Harness h;
  // ソ is 83 5C: its second byte is the backslash.
  const std::string result = InterchangeStr("ソ", "\\", "/", h.reporter);
  EXPECT_EQ(codec::toCp932(result), "\x83/");
}

struct NumberCase {
  const char* text;
  std::optional<std::int32_t> value;
};

class IntegerCases : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IntegerCases, ConvertsSettingsTextLikeTheRunTime) { EXPECT_EQ(parseInteger(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Table, IntegerCases,
                         ::testing::Values(NumberCase{"150", 150}, NumberCase{" 42 ", 42}, NumberCase{"-3", -3},
                                           NumberCase{"+7", 7}, NumberCase{"2.5", 2}, NumberCase{"3.5", 4},
                                           NumberCase{"2.51", 3}, NumberCase{"0.5", 0},
                                           NumberCase{"-2147483648", -2147483647 - 1},
                                           NumberCase{"2147483647", 2147483647},
                                           NumberCase{"2147483648", std::nullopt}, NumberCase{"", std::nullopt},
                                           NumberCase{"x", std::nullopt}, NumberCase{"1x", std::nullopt},
                                           NumberCase{"-", std::nullopt}, NumberCase{".", std::nullopt}));

TEST(Integers, FailuresCarryTheRunTimeDescription) {
  EXPECT_THROW(
      {
        try {
          toInteger("x");
        } catch (const report::RuntimeFailure& failure) {
          EXPECT_STREQ(failure.what(), kTypeMismatch);
          throw;
        }
      },
      report::RuntimeFailure);
  EXPECT_THROW(toInteger("99999999999"), report::RuntimeFailure);
}

}  // namespace
}  // namespace orbelin::text
