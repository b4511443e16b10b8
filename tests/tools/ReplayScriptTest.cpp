#include <gtest/gtest.h>

#include "tools/ReplayScript.h"

namespace orbelin::tools {
namespace {

struct QuoteCase {
  const char* quoted;
  std::optional<std::string> bytes;
};

class Unquoted : public testing::TestWithParam<QuoteCase> {};

TEST_P(Unquoted, GivesCodePage932Bytes) { EXPECT_EQ(unquoteToCp932(GetParam().quoted), GetParam().bytes); }

INSTANTIATE_TEST_SUITE_P(
    Table, Unquoted,
    testing::Values(QuoteCase{"\"AB\"", "AB"}, QuoteCase{"\"\\r\\n\\t\\\\\\\"\"", "\r\n\t\\\""},
                    QuoteCase{"\"ア\"", "\x83\x41"}, QuoteCase{"\"\\x83\\x41\"", "\x83\x41"},
                    QuoteCase{"\"a\\x00b\"", std::string("a\0b", 3)}, QuoteCase{"\"\\xFF\"", "\xFF"},
                    QuoteCase{"\"\\x4\"", std::nullopt}, QuoteCase{"\"\\x\"", std::nullopt},
                    QuoteCase{"\"a\"b\"", std::nullopt}, QuoteCase{"AB", std::nullopt},
                    QuoteCase{"\"", std::nullopt}, QuoteCase{"\"\\\"", std::nullopt}));

TEST(ReplayScript, ReadsEveryDirectiveAndSkipsCommentsAndBlankLines) {
  const ReplayScript script =
      parseReplayScript("# capture\r\n\r\nbytes 02 41 0d\n  wait 150  \ntouch DONTKEY.TXT\nremove DONTKEY.TXT");
  ASSERT_FALSE(script.error);
  ASSERT_EQ(script.steps.size(), 4u);
  EXPECT_EQ(std::get<ArriveStep>(script.steps[0]).bytes, "\x02" "A\r");
  EXPECT_EQ(std::get<WaitStep>(script.steps[1]).ms, 150);
  EXPECT_EQ(std::get<TouchStep>(script.steps[2]).name, "DONTKEY.TXT");
  EXPECT_EQ(std::get<RemoveStep>(script.steps[3]).name, "DONTKEY.TXT");
}

TEST(ReplayScript, FirstMalformedLineIsNamed) {
  const char* cases[][2] = {{"wait 1\nwait -1\n", "line 2: "}, {"bytes\n", "line 1: "},
                            {"\n\nremove a/b\n", "line 3: "}, {"wait 99999999999999999999\n", "line 1: "},
                            {"Text \"a\"\n", "line 1: "}};
  for (const auto& [text, prefix] : cases) {
    const ReplayScript script = parseReplayScript(text);
    ASSERT_TRUE(script.error) << text;
    EXPECT_TRUE(script.error->starts_with(prefix)) << *script.error;
    EXPECT_TRUE(script.steps.empty());
  }
}

}  // namespace
}  // namespace orbelin::tools
