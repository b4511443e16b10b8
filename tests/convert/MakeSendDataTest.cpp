#include "convert/MakeSendData.h"

#include <gtest/gtest.h>

#include "convert/codec/Cp932.h"
#include "support/Harness.h"

namespace orbelin::convert {
namespace {

using settings::Setting;

class MakeSendDataTest : public ::testing::Test {
 protected:
  std::string make(std::string_view data) { return MakeSendData(data, settings, tables, h.reporter); }
  void frame(const char* head, const char* foot) {
    settings.set(Setting::Select, "1");
    settings.set(Setting::RcvHead, head);
    settings.set(Setting::RcvFoot, foot);
  }

  test::Harness h;
  settings::Settings settings = settings::Settings::defaults();
  settings::EditTables tables;
};

struct FramingCase {
  const char* head;
  const char* foot;
  std::string record;
  std::string expected;
};

class Framing : public MakeSendDataTest, public ::testing::WithParamInterface<FramingCase> {};

TEST_P(Framing, ChecksAndRemovesPrefixAndSuffix) {
  frame(GetParam().head, GetParam().foot);
  EXPECT_EQ(make(GetParam().record), GetParam().expected);
  EXPECT_TRUE(h.transcript.lines().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, Framing,
                         ::testing::Values(FramingCase{"1", "1", "\x02" "ABC\x03X", "ABC"},
                                           FramingCase{"1", "0", "ABC", ""},
                                           FramingCase{"1", "0", "\x02" "ABC", "ABC"},
                                           FramingCase{"2", "0", "\x01" "AB", "AB"},
                                           FramingCase{"0", "5", "12\r", ""},
                                           FramingCase{"0", "5", "12\r\n34", "12"},
                                           FramingCase{"0", "3", "\r", ""},
                                           FramingCase{"0", "4", "ab\ncd\n", "ab"},
                                           FramingCase{"0", "2", "ab\x17", "ab"},
                                           FramingCase{"0", "0", "\x02" "ABC\x03", "\x02" "ABC\x03"},
                                           FramingCase{"7", "9", "\x02" "ABC\x03", "\x02" "ABC\x03"}));

TEST_F(MakeSendDataTest, SelectOffIgnoresTheFramingCodes) {
  settings.set(Setting::RcvHead, "1");
  settings.set(Setting::RcvFoot, "1");
  EXPECT_EQ(make("ABC"), "ABC");
}

TEST_F(MakeSendDataTest, SpecialCodesComeFromTheirNumbers) {
  frame("3", "6");
  settings.set(Setting::HeadOther, "27");
  settings.set(Setting::FootOther, "35");
  EXPECT_EQ(make("\x1b" "data#rest"), "data");
}

TEST_F(MakeSendDataTest, PrefixRemovesAWholeDoubleByteCharacter) {
  frame("3", "0");
  settings.set(Setting::HeadOther, "130");  // 0x82, the lead byte of あ
  EXPECT_EQ(make("あい"), "い");
}

TEST_F(MakeSendDataTest, BadSpecialCodeFailsTheRecord) {
  for (const char* other : {"x", "300", "-1"}) {
    h.transcript.clear();
    frame("3", "0");
    settings.set(Setting::HeadOther, other);
    EXPECT_EQ(make("\x1b" "abc"), "") << other;
    EXPECT_EQ(h.transcript.lines(),
              std::vector<std::string>{"msgbox warning \"MakeSendData\" \"転送用データ作成に失敗しました。\""});
  }
  const auto log = h.errorLines();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "[MakeSendData] QELT:型が一致しません。");
}

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
