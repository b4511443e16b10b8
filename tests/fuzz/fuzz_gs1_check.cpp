// Decoded GS1 fields through the checks: the input is fields "AI=data" separated by GS
// (a leading "u" marks a user's AI). The checks never fail, every finding names one of
// the fields, and every finding has a text and a log line.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "convert/ean/Gs1Check.h"
#include "convert/ean/Gs1FindingText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelin::convert::ean;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<Gs1FieldToCheck> fields;
  for (std::size_t at = 0; at <= input.size();) {
    const std::size_t end = std::min(input.find('\x1D', at), input.size());
    std::string_view piece = std::string_view(input).substr(at, end - at);
    const bool user = piece.starts_with('u');
    if (user) piece.remove_prefix(1);
    const std::size_t equals = piece.find('=');
    if (equals != std::string_view::npos) fields.push_back({piece.substr(0, equals), piece.substr(equals + 1), user});
    at = end + 1;
  }
  const std::vector<Gs1Finding> findings = checkGs1Fields(fields);
  for (const Gs1Finding& finding : findings) {
    orbelin::fuzz::require(finding.field < fields.size(), "a finding names a field");
    orbelin::fuzz::require(!gs1FindingText(finding).empty(), "a finding has a text");
  }
  for (bool blocked : {false, true}) {
    const auto lines = gs1CheckLogLines(findings, fields, blocked);
    orbelin::fuzz::require(findings.empty() == lines.empty(), "findings give log lines");
  }
  return 0;
}
