#include "convert/ByteEdit.h"

#include <gtest/gtest.h>

#include "codec/Cp932.h"
#include "text/Integers.h"

namespace orbelin::convert {
namespace {

using Rules = std::array<settings::ByteEditEntry, settings::kByteEditRows>;

struct ByteEditCase {
  const char* name;
  Rules rules;
  const char* expected;
};

settings::ByteEditEntry rule(const char* position, const char* count, const char* insert) {
  return {position, count, insert};
}

class ByteEditCases : public ::testing::TestWithParam<ByteEditCase> {};

TEST_P(ByteEditCases, EditsByTheOriginalBytePositions) {
  EXPECT_EQ(applyByteEdit("ABCDEFG", GetParam().rules), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ByteEditCases,
    ::testing::Values(ByteEditCase{"delete and insert", {rule("3", "2", "xy")}, "ABxyEFG"},
                      ByteEditCase{"insert after byte", {rule("3", "0", "-")}, "ABC-DEFG"},
                      ByteEditCase{"front", {rule("0", "0", "#")}, "#ABCDEFG"},
                      ByteEditCase{"front replaced", {rule("0", "0", "#"), rule("0", "0", "=")}, "=ABCDEFG"},
                      ByteEditCase{"front delete", {rule("0", "2", "")}, "CDEFG"},
                      ByteEditCase{"past the end", {rule("10", "1", "z")}, "ABCDEFG"},
                      ByteEditCase{"delete stops at end", {rule("6", "5", "")}, "ABCDE"},
                      ByteEditCase{"original positions", {rule("2", "1", ""), rule("4", "1", "")}, "ACEFG"},
                      ByteEditCase{"insert lost with byte", {rule("3", "1", ""), rule("3", "0", "x")}, "ABDEFG"},
                      ByteEditCase{"negative position", {rule("-5", "1", "<")}, "<BCDEFG"},
                      ByteEditCase{"all defaults", {}, "ABCDEFG"}));

TEST(ByteEdit, CutsADoubleByteCharacterLikeAnyOtherBytes) {
  const Rules rules{rule("2", "1", "")};
  EXPECT_EQ(codec::toCp932(applyByteEdit("あい", rules)), "\x82\x82\xA2");
}

TEST(ByteEdit, RejectsPositionsThatAreNoNumber) {
  const Rules rules{rule("x", "1", "")};
  EXPECT_THROW(applyByteEdit("ABC", rules), report::RuntimeFailure);
}

}  // namespace
}  // namespace orbelin::convert
