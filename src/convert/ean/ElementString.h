#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert/ean/AiRow.h"

namespace orbelin::convert::ean {

/// One field of an element string: an identifier and its data.
struct FoundField {
  std::size_t row = 0;  ///< index of the row in the table
  std::string aiText;   ///< the identifier as found, Plus characters included (code page 932)
  std::string data;     ///< the data bytes
  int order = 0;        ///< order of appearance, 1 upwards
};

/// An element string split into its fields.
struct SplitElementString {
  std::vector<FoundField> fields;  ///< one per identifier found, in order of appearance
  std::string tail;                ///< bytes passed on unparsed (a line end and what follows)
  std::string discarded;           ///< bytes that made up no known identifier, dropped
};

/// Splits the code page 932 bytes of an element string (start code already removed) by
/// the rows of table, one character (one or two bytes) at a time:
/// - a GS (29) ends the current field and is dropped; so does a field that has reached
///   the row's MaxLen, the next character then beginning a new identifier;
/// - characters are collected until they equal a row's AI (the first such row in table
///   order); then Plus more bytes belong to the identifier and the data follows;
///   characters that never make up a known AI are dropped (and kept in discarded);
/// - a CR or LF read as part of an identifier, or after a full field, goes with all that
///   follows to the tail; inside data, a CR or LF is data unless at most one byte follows
///   it, in which case it goes to the tail alone;
/// - an identifier that appears twice gives two fields: joining their data would type a
///   value that neither field held.
SplitElementString splitElementString(std::string_view bytes, const AiTable& table);

}  // namespace orbelin::convert::ean
