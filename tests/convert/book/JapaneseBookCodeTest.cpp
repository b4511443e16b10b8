#include <gtest/gtest.h>

#include "convert/book/JapaneseBookCode.h"

namespace orbelin::convert::book {
namespace {

TEST(JapaneseBookCode, IsbnTextOfAFirstRow) {
  EXPECT_EQ(isbnTextOf("9784873119038"), "ISBN4-87311-903-0");
  EXPECT_EQ(isbnTextOf("9784101010014"), "ISBN4-10-101001-3");
  EXPECT_EQ(isbnTextOf("9784000633520"), "ISBN4-00-063352-X");  // remainder 1
  EXPECT_EQ(isbnTextOf("97848731190381920055024004"), "ISBN4-87311-903-0");  // only 13 are read
}

TEST(JapaneseBookCode, PublisherCodeLengthFollowsTheJapaneseGroupRanges) {
  const std::pair<const char*, const char*> rows[] = {
      {"9784001234560", "ISBN4-00-123456-4"},  {"9784191234560", "ISBN4-19-123456-0"},
      {"9784201234560", "ISBN4-201-23456-8"},  {"9784691234560", "ISBN4-691-23456-X"},
      {"9784701234560", "ISBN4-7012-3456-7"},  {"9784841234560", "ISBN4-8412-3456-X"},
      {"9784851234560", "ISBN4-85123-456-2"},  {"9784891234560", "ISBN4-89123-456-3"},
      {"9784901234560", "ISBN4-901234-56-0"},  {"9784941234560", "ISBN4-941234-56-1"},
      {"9784951234560", "ISBN4-9512345-6-4"},  {"9784991234560", "ISBN4-9912345-6-5"},
  };
  for (const auto& [row, isbn] : rows) EXPECT_EQ(isbnTextOf(row), isbn) << row;
}

TEST(JapaneseBookCode, NoIsbnTextForOtherRows) {
  EXPECT_EQ(isbnTextOf("978487311903"), std::nullopt);   // 12 characters
  EXPECT_EQ(isbnTextOf("1920055024004"), std::nullopt);  // a second row
  EXPECT_EQ(isbnTextOf("97848731A9038"), std::nullopt);  // not a digit
  EXPECT_EQ(isbnTextOf("978４873119038"), std::nullopt);  // a full-width digit
}

TEST(JapaneseBookCode, ClassificationTextOfASecondRow) {
  EXPECT_EQ(classificationTextOf("1920055024004"), "C0055 \\2400E");
  EXPECT_EQ(classificationTextOf("1910055000000"), "C0055 P00000E");
  EXPECT_EQ(classificationTextOf("1923040001008"), "C3040 \\100E");    // leading zeros go
  EXPECT_EQ(classificationTextOf("1923040000008"), "C3040 \\00000E");  // a price of 0
  EXPECT_EQ(classificationTextOf("192304012A458"), "C3040 \\00000E");  // the price is no number
  EXPECT_EQ(classificationTextOf("192005502400"), std::nullopt);        // 12 characters
  EXPECT_EQ(classificationTextOf("9784873119038"), std::nullopt);
}

TEST(JapaneseBookCode, ConvertsByMode) {
  EXPECT_EQ(convertBookRows("9784873119038\r\n1920055024004", "3"), "ISBN4-87311-903-0 C0055 \\2400E\r\n");
  EXPECT_EQ(convertBookRows("9784101010014", "1"), "ISBN4-10-101001-3\r\n");
  EXPECT_EQ(convertBookRows("1910055000000", "2"), "C0055 P00000E\r\n");
  EXPECT_EQ(convertBookRows("9784873119038", "3"), "9784873119038");  // one row only
  EXPECT_EQ(convertBookRows("1920055024004", "1"), "1920055024004");  // not a first row
  EXPECT_EQ(convertBookRows("97848731190381234567890123", "3"), "97848731190381234567890123");
  EXPECT_EQ(convertBookRows("9784873119038", "9"), "9784873119038");
}

}  // namespace
}  // namespace orbelin::convert::book
