#include <gtest/gtest.h>

#include <optional>

#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/Gs1Check.h"
#include "convert/ean/Gs1FindingText.h"

namespace orbelin::convert::ean {
namespace {

using P = Gs1Problem;

std::vector<Gs1Finding> check(std::vector<Gs1FieldToCheck> fields) { return checkGs1Fields(fields); }

// The findings about the data of fields as their lines: "(01) ...: data".
std::vector<std::string> lines(std::vector<Gs1FieldToCheck> fields) {
  std::vector<std::string> result;
  for (const Gs1Finding& finding : checkGs1Fields(fields)) result.push_back(gs1FindingLine(finding, fields));
  return result;
}

struct FieldCase {
  const char* name;
  const char* ai;
  const char* data;
  std::optional<Gs1Problem> problem;  // the one finding about the data, if any
};

class Gs1Field : public testing::TestWithParam<FieldCase> {};

TEST_P(Gs1Field, IsCheckedByTheSpecOfItsAi) {
  const FieldCase& c = GetParam();
  std::vector<Gs1Problem> problems;
  for (const Gs1Finding& finding : check({{c.ai, c.data, false}})) {
    if (finding.aboutData()) problems.push_back(finding.problem);
  }
  EXPECT_EQ(problems, c.problem ? std::vector<Gs1Problem>{*c.problem} : std::vector<Gs1Problem>{});
}

INSTANTIATE_TEST_SUITE_P(
    Table, Gs1Field,
    testing::Values(
        FieldCase{"GoodGtin", "01", "09501101530003", std::nullopt},
        FieldCase{"GtinWithWrongCheckDigit", "01", "09501101530004", P::FailedCheck},
        FieldCase{"GtinCutShort", "01", "0950110153000", P::TooShort},
        FieldCase{"EmptyField", "01", "", P::TooShort},
        FieldCase{"LetterInANumericField", "01", "0950110153000A", P::BadCharacter},
        FieldCase{"BlankInABatch", "10", "AB 12", P::BadCharacter},
        FieldCase{"DayZeroWhereTheAiAllowsIt", "17", "250200", std::nullopt},
        FieldCase{"DayZeroWhereTheAiRefusesIt", "7006", "250200", P::DayZeroRefused},
        FieldCase{"ImpossibleExpiry", "17", "251332", P::FailedCheck},
        FieldCase{"DateAndTime", "7003", "2512312359", std::nullopt},
        FieldCase{"BadTimeAfterTheDate", "7003", "2512312460", P::FailedCheck},
        FieldCase{"OptionalComponentLeftOut", "7011", "251231", std::nullopt},
        FieldCase{"OptionalComponentCutShort", "7011", "25123123", P::TooShort},
        FieldCase{"TooLongForTheLastComponent", "8005", "0001234", P::TooLong},
        FieldCase{"CountryCode", "422", "392", std::nullopt},
        FieldCase{"NoSuchCountry", "421", "999ABC", P::FailedCheck},
        FieldCase{"CurrencyBeforeTheAmount", "3911", "392125", std::nullopt},
        FieldCase{"NoSuchCurrency", "3911", "393125", P::FailedCheck},
        FieldCase{"ItemPieceOfTotal", "8006", "095011015300030201", P::FailedCheck},
        FieldCase{"TemperatureSignIsAHyphen", "4330", "001234+", P::FailedCheck},
        FieldCase{"GoodModelNumber", "8013", "1987654Ad4X4bL5ttr2310c2K", std::nullopt},
        FieldCase{"UnassignedMeasureDigit", "3106", "000100", P::UnknownAi},
        FieldCase{"NoSuchAi", "26", "ABC", P::UnknownAi}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Gs1Check, AUsersOwnAiIsNotChecked) {
  EXPECT_TRUE(check({{"26", "ABC", true}}).empty());
  // A user's row for an AI that exists is checked as that AI.
  EXPECT_EQ(lines({{"01", "09501101530004", true}}),
            (std::vector<std::string>{"(01) チェックディジットが正しくありません: 09501101530004"}));
}

TEST(Gs1Check, PairingRulesAreCheckedOverTheMessage) {
  EXPECT_EQ(lines({{"10", "ABC", false}}),
            (std::vector<std::string>{"(10) 一緒に必要な (01) (02) (03) (8006) (8026) のどれもありません"}));
  EXPECT_TRUE(check({{"01", "09501101530003", false}, {"10", "ABC", false}}).empty());
  EXPECT_EQ(lines({{"01", "09501101530003", false}, {"10", "A", false}, {"7004", "12", false}}), (std::vector<std::string>{}));
  EXPECT_EQ(lines({{"01", "09501101530003", false}, {"7004", "12", false}}),
            (std::vector<std::string>{"(7004) 一緒に必要な (01)+(10) がありません"}));
  // The exclusion is written on both AIs and told once.
  EXPECT_EQ(lines({{"3102", "000100", false}, {"3103", "000100", false}, {"01", "09501101530003", false}}),
            (std::vector<std::string>{"(3102) (3103) とは一緒に使えません"}));
}

TEST(Gs1Check, PairingFindingsOnlyWarn) {
  const auto findings = check({{"10", "ABC", false}, {"10", "ABD", false}});
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[1].problem, P::RepeatedDifferent);
  EXPECT_FALSE(findings[0].aboutData());
  EXPECT_FALSE(findings[1].aboutData());
  EXPECT_TRUE(check({{"01", "09501101530003", false}, {"10", "A", false}, {"10", "A", false}}).empty());
}

TEST(Gs1Dictionary, EveryBuiltInRowIsAnAiOfTheDictionary) {
  const Gs1Dictionary& dictionary = gs1Dictionary();
  EXPECT_EQ(dictionary.allRules().size(), 541u);
  for (const AiRow& row : builtInAiTable()) {
    EXPECT_NE(dictionary.find(row.plus == 0 ? row.ai : row.ai + "0"), nullptr) << row.ai;
  }
  const Gs1AiRules* itip = dictionary.find("8006");
  ASSERT_NE(itip, nullptr);
  ASSERT_EQ(itip->components.size(), 2u);
  EXPECT_EQ(itip->components[1].linters, std::vector<Gs1Linter>{Gs1Linter::PieceOfTotal});
  EXPECT_EQ(itip->qualifierSequences, (std::vector<std::vector<std::string>>{{"22", "10", "21"}}));
  EXPECT_TRUE(dictionary.find("00")->predefinedLength);
}

TEST(Gs1Dictionary, ALineItCannotReadIsRefused) {
  EXPECT_THROW(Gs1Dictionary("01 *? N14,nosuchcheck"), std::invalid_argument);
  EXPECT_THROW(Gs1Dictionary("01 *? Q14"), std::invalid_argument);
  EXPECT_THROW(Gs1Dictionary("0A *? N14"), std::invalid_argument);
  EXPECT_EQ(Gs1Dictionary("# comment\n91-93 ? X..90 # INTERNAL\n").allRules().size(), 3u);
}

}  // namespace
}  // namespace orbelin::convert::ean
