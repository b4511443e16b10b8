#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orbelin::convert::ean {

/// The part an Application Identifier may play in a GS1 Digital Link URI.
struct DigitalLinkRole {
  bool attribute = false;   ///< may stand in the query as a data attribute
  bool primaryKey = false;  ///< may stand in the path as the primary key
  /// For a primary key: the qualifier AIs it accepts after it in the path, each list in
  /// the only order they may come in (any of them may be left out).
  std::vector<std::vector<std::string>> qualifierSequences;

  bool operator==(const DigitalLinkRole&) const = default;
};

/// Every AI with a role, by AI.
using DigitalLinkTable = std::map<std::string, DigitalLinkRole, std::less<>>;

/// The header line of the delivered table.
inline constexpr std::string_view kDigitalLinkCsvHeader = "AI,Attribute,PrimaryKey,Qualifiers";

/// Reads the delivered table text: the header, then one AI a line with the columns of
/// kDigitalLinkCsvHeader; Qualifiers holds the sequences separated by "|", the AIs of one
/// sequence by blanks. Throws std::invalid_argument naming the line when the text does
/// not have that form.
DigitalLinkTable parseDigitalLinkCsv(std::string_view text);

/// The table built into the program from data/gs1-digital-link.csv.
const DigitalLinkTable& builtInDigitalLinkTable();

/// The pieces of text between the separators, one empty piece for an empty text: the
/// table's lines and fields and a URI's segments and parameters are cut alike.
std::vector<std::string_view> piecesOf(std::string_view text, char separator);

}  // namespace orbelin::convert::ean
