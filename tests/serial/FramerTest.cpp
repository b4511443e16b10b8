#include "serial/Framer.h"

#include <gtest/gtest.h>

#include "codec/Cp932.h"
#include "text/Integers.h"

namespace orbelin::serial {
namespace {

using settings::Setting;

class FramerTest : public ::testing::Test {
 protected:
  /// The record inside the framing of the settings, empty when it would be dropped.
  std::string frame(std::string_view record) {
    const auto inside = Framer::frame(codec::toCp932(record), framingOf(settings));
    return inside ? codec::fromCp932(*inside) : std::string();
  }
  void frameWith(const char* head, const char* foot) {
    settings.set(Setting::Select, "1");
    settings.set(Setting::RcvHead, head);
    settings.set(Setting::RcvFoot, foot);
  }

  settings::Settings settings = settings::Settings::defaults();
};

struct FramingCase {
  const char* head;
  const char* foot;
  std::string record;
  std::string expected;
};

class Framing : public FramerTest, public ::testing::WithParamInterface<FramingCase> {};

TEST_P(Framing, ChecksAndRemovesPrefixAndSuffix) {
  frameWith(GetParam().head, GetParam().foot);
  EXPECT_EQ(frame(GetParam().record), GetParam().expected);
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
                                           FramingCase{"7", "9", "\x02" "ABC\x03", "\x02" "ABC\x03"},
                                           // As the reception reads: bytes before the header go.
                                           FramingCase{"1", "1", "xy\x02" "AB\x03", "AB"}));

TEST_F(FramerTest, SelectOffIgnoresTheFramingCodes) {
  settings.set(Setting::RcvHead, "1");
  settings.set(Setting::RcvFoot, "1");
  EXPECT_EQ(frame("ABC"), "ABC");
}

TEST_F(FramerTest, SpecialCodesComeFromTheirNumbers) {
  frameWith("3", "6");
  settings.set(Setting::HeadOther, "27");
  settings.set(Setting::FootOther, "35");
  EXPECT_EQ(frame("\x1b" "data#rest"), "data");
}

TEST_F(FramerTest, HeaderByteIsNeverTheFooter) {
  frameWith("3", "6");
  settings.set(Setting::HeadOther, "2");
  settings.set(Setting::FootOther, "2");
  EXPECT_EQ(frame("\x02" "A\x02" "B"), "A");
}

TEST_F(FramerTest, PrefixRemovesAWholeDoubleByteCharacter) {
  frameWith("3", "0");
  settings.set(Setting::HeadOther, "130");  // 0x82, the lead byte of あ
  EXPECT_EQ(frame("あい"), "い");
}

TEST_F(FramerTest, FooterInsideTheHeaderCharacterLeavesNoRecord) {
  frameWith("3", "6");
  settings.set(Setting::HeadOther, "130");  // あ is 82 A0
  settings.set(Setting::FootOther, "160");
  EXPECT_EQ(frame("あい"), "");
}

TEST_F(FramerTest, BadSpecialCodeFailsTheRecord) {
  for (const char* other : {"x", "300", "-1"}) {
    frameWith("3", "0");
    settings.set(Setting::HeadOther, other);
    EXPECT_THROW(framingOf(settings), report::RuntimeFailure) << other;
  }
}

TEST(Framer, CountNeverGoesBelowZero) {
  Framer framer;
  framer.setWaiting(-3);
  EXPECT_FALSE(framer.takeWaiting());
  framer.setWaiting(2);
  EXPECT_TRUE(framer.takeWaiting());
  EXPECT_TRUE(framer.takeWaiting());
  EXPECT_FALSE(framer.takeWaiting());
  EXPECT_EQ(framer.waiting(), 0);
}

}  // namespace
}  // namespace orbelin::serial
