#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbelin::convert::book {

/// The ISBN text of a book's first bar code row: "9784873119038" gives
/// "ISBN4-87311-903-0". The group digit is character 4, the publisher code length follows
/// the ranges of the Japanese ISBN group (characters 5-6: 00-19 two digits, 20-69 three,
/// 70-84 four, 85-89 five, 90-94 six, 95-99 seven) and the check digit is the ISBN-10
/// modulus-11 digit ("X" for ten). None unless the row begins with "97", has 13 characters
/// or more, and characters 4 to 12 are digits.
std::optional<std::string> isbnTextOf(std::string_view firstRow);

/// The classification code and price text of a book's second bar code row:
/// "1920055024004" gives "C0055 \2400E" ("\" is the yen sign of code page 932, byte 0x5C),
/// a row beginning with "191" gives "P" in place of it; a price of 0 or no number is
/// written "00000". None unless the row begins with "19" and has 13 characters or more.
std::optional<std::string> classificationTextOf(std::string_view secondRow);

/// The record converted by JAN2toISBN, line ends ignored: "1" the first 13 characters as
/// a first row give the ISBN text, "2" the first 13 as a second row give the
/// classification text, "3" (26 characters or more) the first 13 and the last 13 give
/// both, joined by a blank. The result is followed by CR LF; without a result (and for
/// "0" or any other mode) the record is returned unchanged.
std::string convertBookRows(std::string_view record, std::string_view mode);

}  // namespace orbelin::convert::book
