#include <gtest/gtest.h>

#include "EanTestSupport.h"
#include "codec/Cp932.h"
#include "convert/ean/ElementString.h"

namespace orbelin::convert::ean {
namespace {

using test::aiRow;

// "AI=data" per field in order of last appearance, then "tail=..." when there is one.
std::string describe(const SplitElementString& split, const AiTable& table) {
  std::vector<const FoundField*> fields;
  for (const FoundField& field : split.fields) fields.push_back(&field);
  std::sort(fields.begin(), fields.end(), [](auto* a, auto* b) { return a->order < b->order; });
  std::string out;
  for (const FoundField* field : fields) {
    out += (out.empty() ? "" : " ") + field->aiText + "=" + field->data + "@" + table[field->row].ai;
  }
  if (!split.tail.empty()) out += " tail=" + split.tail;
  return out;
}

std::string split(std::string_view bytes, const AiTable& table) {
  return describe(splitElementString(bytes, table), table);
}

const AiTable kTable{aiRow("01", 14), aiRow("10", 20), aiRow("310", 6, 1, 1), aiRow("00", 0), aiRow("10", 3)};

TEST(ElementString, AFixedFieldEndsAtMaxLenAndTheNextCharacterBeginsAnIdentifier) {
  EXPECT_EQ(split("011234567890123410ABC", kTable), "01=12345678901234@01 10=ABC@10");
}

TEST(ElementString, AGroupSeparatorEndsAVariableField) {
  EXPECT_EQ(split("10AB\x1D" "01123", kTable), "10=AB@10 01=123@01");
}

TEST(ElementString, AGroupSeparatorAfterAFullFieldIsDropped) {
  EXPECT_EQ(split("0112345678901234\x1D" "10A", kTable), "01=12345678901234@01 10=A@10");
}

TEST(ElementString, PlusCharactersBelongToTheIdentifier) {
  EXPECT_EQ(split("3102001234", kTable), "3102=001234@310");
}

TEST(ElementString, MissingPlusCharactersLeaveTheIdentifierAndStop) {
  EXPECT_EQ(split("10A\x1D" "310", kTable), "10=A@10 310=@310");
}

TEST(ElementString, AZeroMaxLenFieldEndsAtOnce) {
  EXPECT_EQ(split("0010X", kTable), "00=@00 10=X@10");
}

TEST(ElementString, OnlyTheFirstOfTwoRowsWithTheSameIdentifierIsMatched) {
  const SplitElementString result = splitElementString("10ABCDEF", kTable);
  ASSERT_EQ(result.fields.size(), 1u);
  EXPECT_EQ(result.fields[0].row, 1u);
  EXPECT_EQ(result.fields[0].data, "ABCDEF");
}

TEST(ElementString, UnknownIdentifiersAreDroppedAtTheNextSeparatorOrTheEnd) {
  EXPECT_EQ(split("26ABC\x1D" "10X", kTable), "10=X@10");
  EXPECT_EQ(split("10X\x1D" "99", kTable), "10=X@10");
  EXPECT_EQ(splitElementString("26ABC\x1D" "10X\x1D" "99", kTable).discarded, "26ABC99");
  // An identifier cut short by a line end goes to the tail, not to the dropped bytes.
  EXPECT_EQ(splitElementString("10X\x1D" "9\r", kTable).discarded, "");
}

TEST(ElementString, ARepeatedIdentifierGivesAFieldForEachAppearance) {
  const SplitElementString result = splitElementString("10AB\x1D" "01123\x1D" "10CD", kTable);
  EXPECT_EQ(describe(result, kTable), "10=AB@10 01=123@01 10=CD@10");
  EXPECT_EQ(result.fields[2].order, 3);
}

TEST(ElementString, LineEnds) {
  // At the end of data (at most one byte after it): to the tail, parsing goes on.
  EXPECT_EQ(split("10AB\r\n", kTable), "10=AB@10 tail=\r\n");
  EXPECT_EQ(split("10AB\rX", kTable), "10=ABX@10 tail=\r");
  // Inside data: part of the data.
  EXPECT_EQ(split("10A\r\nBC", kTable), "10=A\r\nBC@10");
  // After a full field, or while reading an identifier: with all that follows, to the tail.
  EXPECT_EQ(split("0112345678901234\r\n10A", kTable), "01=12345678901234@01 tail=\r\n10A");
  EXPECT_EQ(split("10A\x1D" "2\n10B", kTable), "10=A@10 tail=2\n10B");
}

TEST(ElementString, ADoubleByteCharacterCountsTwoBytesAndIsNeverSplit) {
  const AiTable table{aiRow("10", 3), aiRow("21", 20)};
  const std::string a = codec::toCp932("ア");
  const std::string i = codec::toCp932("イ");
  // ア fills 2 of 3 bytes; イ would make 4, so it begins an identifier that never matches.
  EXPECT_EQ(split("10" + a + i + "\x1D" "21X", table), "10=" + a + "@10 21=X@21");
  // A Plus character that is double-byte stays whole.
  const AiTable plusTable{aiRow("39", 6, 1)};
  EXPECT_EQ(split("39" + a + "12", plusTable), "39" + a + "=12@39");
}

}  // namespace
}  // namespace orbelin::convert::ean
