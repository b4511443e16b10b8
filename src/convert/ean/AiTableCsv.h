#pragma once

#include <stdexcept>
#include <string_view>

#include "convert/ean/AiRow.h"

namespace orbelin::convert::ean {

/// The header line of the delivered table.
inline constexpr std::string_view kAiTableCsvHeader = "AI,Name,MaxLen,Plus,Mark,Out,SetNo";

/// Reads the delivered table text: the header line, then one row a line with the columns
/// of kAiTableCsvHeader; a field holding a comma is quoted ("" for a quote). Throws
/// std::invalid_argument naming the line when the text does not have that form.
AiTable parseAiTableCsv(std::string_view text);

}  // namespace orbelin::convert::ean
