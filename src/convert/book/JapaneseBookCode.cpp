#include "convert/book/JapaneseBookCode.h"

#include <array>

#include "codec/Utf8.h"
#include "text/InterchangeStr.h"
#include "text/Integers.h"

namespace orbelin::convert::book {

namespace {

constexpr std::size_t kRowLength = 13;

struct PublisherRange {
  int lastPrefix;  // the highest two-digit start of the range
  std::size_t digits;
};

// The publisher code lengths of the Japanese ISBN group, by the two digits after the group.
constexpr std::array<PublisherRange, 6> kPublisherRanges{{{19, 2}, {69, 3}, {84, 4}, {89, 5}, {94, 6}, {99, 7}}};

// A malformed byte counts as one character "?", as the code page conversion makes it.
std::u32string codePoints(std::string_view text) {
  std::u32string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t codePoint = codec::nextCodePoint(text, pos);
    out += codePoint == codec::kInvalidCodePoint ? U'?' : codePoint;
  }
  return out;
}

std::string utf8(std::u32string_view codePoints) {
  std::string out;
  for (const char32_t codePoint : codePoints) codec::appendUtf8(out, codePoint);
  return out;
}

bool isDigit(char32_t ch) { return ch >= U'0' && ch <= U'9'; }

char isbn10CheckDigit(std::u32string_view nineDigits) {
  int sum = 0;
  int weight = 10;
  for (const char32_t digit : nineDigits) sum += static_cast<int>(digit - U'0') * weight--;
  const int remainder = sum % 11;
  if (remainder == 0) return '0';
  if (remainder == 1) return 'X';
  return static_cast<char>('0' + 11 - remainder);
}

std::string withoutLineEnds(std::string_view text) {
  return text::replaceAllBytes(text::replaceAllBytes(text, "\r", ""), "\n", "");
}

}  // namespace

std::optional<std::string> isbnTextOf(std::string_view firstRow) {
  const std::u32string row = codePoints(firstRow);
  if (row.size() < kRowLength || !row.starts_with(U"97")) return std::nullopt;
  const std::u32string_view digits = std::u32string_view(row).substr(3, 9);  // characters 4 to 12
  for (const char32_t ch : digits) {
    if (!isDigit(ch)) return std::nullopt;
  }
  const int prefix = static_cast<int>(digits[1] - U'0') * 10 + static_cast<int>(digits[2] - U'0');
  std::size_t publisherDigits = 0;
  for (const PublisherRange& range : kPublisherRanges) {
    if (prefix <= range.lastPrefix) {
      publisherDigits = range.digits;
      break;
    }
  }
  const std::u32string text = U"ISBN" + std::u32string(1, digits[0]) + U"-" +
                              std::u32string(digits.substr(1, publisherDigits)) + U"-" +
                              std::u32string(digits.substr(1 + publisherDigits)) + U"-" +
                              static_cast<char32_t>(isbn10CheckDigit(digits));
  return utf8(text);
}

std::optional<std::string> classificationTextOf(std::string_view secondRow) {
  const std::u32string row = codePoints(secondRow);
  if (row.size() < kRowLength || !row.starts_with(U"19")) return std::nullopt;
  const std::optional<std::int32_t> price = text::parseInteger(utf8(row.substr(7, 5)));  // characters 8 to 12
  const std::string priceText = price.value_or(0) == 0 ? "00000" : std::to_string(*price);
  return "C" + utf8(row.substr(3, 4)) + " " + (row.starts_with(U"191") ? "P" : "\\") + priceText + "E";
}

std::string convertBookRows(std::string_view record, std::string_view mode) {
  const std::u32string rows = codePoints(withoutLineEnds(record));
  std::optional<std::string> first;
  std::optional<std::string> second;
  if (mode == "1" && rows.size() >= kRowLength) first = isbnTextOf(utf8(rows.substr(0, kRowLength)));
  if (mode == "2" && rows.size() >= kRowLength) second = classificationTextOf(utf8(rows.substr(0, kRowLength)));
  if (mode == "3" && rows.size() >= 2 * kRowLength) {
    first = isbnTextOf(utf8(rows.substr(0, kRowLength)));
    second = classificationTextOf(utf8(rows.substr(rows.size() - kRowLength)));
  }
  std::optional<std::string> result;
  if (mode == "1") result = first;
  if (mode == "2") result = second;
  if (mode == "3" && first && second) result = *first + " " + *second;
  return result ? *result + "\r\n" : std::string(record);
}

}  // namespace orbelin::convert::book
