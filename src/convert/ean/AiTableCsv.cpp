#include "convert/ean/AiTableCsv.h"

#include <charconv>
#include <string>
#include <vector>

namespace orbelin::convert::ean {

namespace {

constexpr std::size_t kColumns = 7;

[[noreturn]] void fail(std::size_t lineNumber, std::string_view what) {
  throw std::invalid_argument("AI table line " + std::to_string(lineNumber) + ": " + std::string(what));
}

std::vector<std::string> splitFields(std::string_view line, std::size_t lineNumber) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char ch = line[i];
    if (quoted) {
      if (ch != '"') {
        fields.back() += ch;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (ch == '"' && fields.back().empty()) {
      quoted = true;
    } else if (ch == ',') {
      fields.emplace_back();
    } else {
      fields.back() += ch;
    }
  }
  if (quoted) fail(lineNumber, "unterminated quote");
  return fields;
}

int number(const std::string& field, std::size_t lineNumber) {
  int value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc{} || end != field.data() + field.size() || value < 0) {
    fail(lineNumber, "\"" + field + "\" is no number");
  }
  return value;
}

}  // namespace

AiTable parseAiTableCsv(std::string_view text) {
  AiTable rows;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1) {
      if (line != kAiTableCsvHeader) fail(lineNumber, "the header must be " + std::string(kAiTableCsvHeader));
      continue;
    }
    if (line.empty()) continue;
    const std::vector<std::string> fields = splitFields(line, lineNumber);
    if (fields.size() != kColumns) fail(lineNumber, "expected " + std::to_string(kColumns) + " fields");
    if (fields[0].empty()) fail(lineNumber, "empty AI");
    const int out = number(fields[5], lineNumber);
    if (out > 1) fail(lineNumber, "Out must be 0 or 1");
    rows.push_back(AiRow{fields[0], fields[1], number(fields[2], lineNumber), number(fields[3], lineNumber),
                         number(fields[4], lineNumber), out == 1, number(fields[6], lineNumber)});
  }
  if (lineNumber == 0) fail(1, "no header");
  return rows;
}

}  // namespace orbelin::convert::ean
