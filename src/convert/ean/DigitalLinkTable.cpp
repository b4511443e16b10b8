#include "convert/ean/DigitalLinkTable.h"

#include <stdexcept>

namespace orbelin::convert::ean {

namespace {

#include "convert/ean/BuiltInDigitalLinkCsv.inc"

bool flag(std::string_view field, bool& value) {
  value = field == "1";
  return field == "0" || field == "1";
}

}  // namespace

std::vector<std::string_view> piecesOf(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (std::size_t end; (end = text.find(separator)) != std::string_view::npos; text.remove_prefix(end + 1)) {
    pieces.push_back(text.substr(0, end));
  }
  pieces.push_back(text);
  return pieces;
}

DigitalLinkTable parseDigitalLinkCsv(std::string_view text) {
  DigitalLinkTable table;
  const std::vector<std::string_view> lines = piecesOf(text, '\n');
  for (std::size_t index = 0; index < lines.size(); ++index) {
    std::string_view line = lines[index];
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fail = [&](const char* what) {
      throw std::invalid_argument("Digital Link table line " + std::to_string(index + 1) + ": " + what);
    };
    if (index == 0) {
      if (line != kDigitalLinkCsvHeader) fail("wrong header");
      continue;
    }
    if (line.empty()) continue;
    const std::vector<std::string_view> fields = piecesOf(line, ',');
    if (fields.size() != 4 || fields[0].empty()) fail("expected an AI and three fields");
    DigitalLinkRole role;
    if (!flag(fields[1], role.attribute) || !flag(fields[2], role.primaryKey)) fail("a flag must be 0 or 1");
    if (!fields[3].empty()) {
      if (!role.primaryKey) fail("qualifiers belong to a primary key");
      for (std::string_view sequence : piecesOf(fields[3], '|')) {
        const std::vector<std::string_view> ais = piecesOf(sequence, ' ');
        role.qualifierSequences.emplace_back(ais.begin(), ais.end());
      }
    }
    if (!table.emplace(std::string(fields[0]), std::move(role)).second) fail("the AI is listed twice");
  }
  return table;
}

const DigitalLinkTable& builtInDigitalLinkTable() {
  static const DigitalLinkTable table = parseDigitalLinkCsv(kBuiltInDigitalLinkCsv);
  return table;
}

}  // namespace orbelin::convert::ean
