#include "convert/MakeSendData.h"

#include <gtest/gtest.h>

#include "codec/Cp932.h"
#include "support/Harness.h"

namespace orbelin::convert {
namespace {

using settings::Setting;

class MakeSendDataTest : public ::testing::Test {
 protected:
  std::string make(std::string_view data) { return MakeSendData(data, settings, tables, h.reporter); }

  test::Harness h;
  settings::Settings settings = settings::Settings::defaults();
  settings::EditTables tables;
};

TEST_F(MakeSendDataTest, ByteEditThenSubstitutionInRowOrder) {
  settings.set(Setting::ByteEd, "1");
  settings.set(Setting::Chikan, "1");
  tables.byteEdits[0] = {"0", "0", "A"};
  tables.substitutions[0] = {"A", "B", "A", "B"};
  tables.substitutions[1] = {"", "Z", "", "Z"};  // empty before-string: skipped
  tables.substitutions[2] = {"B", "C", "B", "C"};
  EXPECT_EQ(make("xAy"), "CxCy");
}

TEST_F(MakeSendDataTest, TablesAreOffUnlessSwitchedOn) {
  tables.byteEdits[0] = {"0", "0", "#"};
  tables.substitutions[0] = {"a", "b", "a", "b"};
  EXPECT_EQ(make("abc"), "abc");
}

TEST_F(MakeSendDataTest, EmptyRecordStaysEmpty) { EXPECT_EQ(make(""), ""); }

TEST_F(MakeSendDataTest, FramingCodesAreLeftToTheFramer) {
  settings.set(Setting::Select, "1");
  settings.set(Setting::RcvHead, "1");
  settings.set(Setting::RcvFoot, "1");
  EXPECT_EQ(make("ABC"), "ABC");
}

struct BraceCase {
  const char* spc;
  std::string input;
  std::string expected;
};

class Braces : public MakeSendDataTest, public ::testing::WithParamInterface<BraceCase> {};

TEST_P(Braces, EscapesOnlyRealBraces) {
  settings.set(Setting::SendKeySpc, GetParam().spc);
  EXPECT_EQ(codec::toCp932(EscapeKeyBraces(GetParam().input, settings)), codec::toCp932(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, Braces,
                         ::testing::Values(BraceCase{"1", "a{b}", "a{{}b{}}"},
                                           BraceCase{"1", "{ENTER}", "{{}ENTER{}}"},
                                           BraceCase{"1", "＋ボ±マ", "＋ボ±マ"},  // trail bytes 7B and 7D
                                           BraceCase{"0", "a{b}", "a{b}"}, BraceCase{"1", "", ""}));

}  // namespace
}  // namespace orbelin::convert
