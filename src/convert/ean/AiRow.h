#pragma once

#include <string>
#include <vector>

namespace orbelin::convert::ean {

/// Mark values: how a field's data is formatted.
inline constexpr int kMarkDecimal = 1;  ///< the identifier's last digit is the number of decimals
inline constexpr int kMarkDate = 2;     ///< six digits YYMMDD

/// One row of the EAN128 table: one GS1 Application Identifier.
struct AiRow {
  std::string ai;    ///< identifier digits that start a field (the fixed part only for a Plus family)
  std::string name;  ///< display name
  int maxLen = 0;    ///< maximum data bytes; the next byte begins a new identifier
  int plus = 0;      ///< further identifier characters after ai
  int mark = 0;      ///< kMarkDecimal, kMarkDate, or no formatting
  bool out = true;   ///< selected for output
  int setNo = 0;     ///< position in the sorted output order, 1 upwards

  bool operator==(const AiRow&) const = default;
};

/// The rows in stored order.
using AiTable = std::vector<AiRow>;

}  // namespace orbelin::convert::ean
