#include "convert/ean/DecodedFieldCheck.h"

#include <algorithm>
#include <utility>

#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/Gs1FindingText.h"

namespace orbelin::convert::ean {

namespace {

// The built-in rows by identifier, sorted once for the lookups of every record.
bool isBuiltInRow(const AiRow& row) {
  static const std::vector<std::pair<std::string, int>> rows = [] {
    std::vector<std::pair<std::string, int>> sorted;
    for (const AiRow& builtIn : builtInAiTable()) sorted.emplace_back(builtIn.ai, builtIn.plus);
    std::sort(sorted.begin(), sorted.end());
    return sorted;
  }();
  return std::binary_search(rows.begin(), rows.end(), std::pair<std::string, int>(row.ai, row.plus));
}

}  // namespace

Gs1CheckMode gs1CheckModeOf(const settings::Settings& settings) {
  const std::string& mode = settings.get(settings::Setting::EANCheck);
  if (mode == "0") return Gs1CheckMode::Off;
  return mode == "2" ? Gs1CheckMode::Block : Gs1CheckMode::Warn;
}

std::string DecodedFieldCheck::marks(std::size_t field) const {
  std::string text;
  for (const Gs1Finding& finding : findings) {
    if (finding.field == field) text += "  ×" + gs1FindingText(finding);
  }
  return text;
}

DecodedFieldCheck checkDecodedFields(const SplitElementString& split, const AiTable& table, Gs1CheckMode mode) {
  DecodedFieldCheck check;
  if (mode == Gs1CheckMode::Off) return check;
  check.fields.reserve(split.fields.size());
  for (const FoundField& field : split.fields) {
    check.fields.push_back({field.aiText, field.data, !isBuiltInRow(table[field.row])});
  }
  check.findings = checkGs1Fields(check.fields);
  const auto aboutData = [](const Gs1Finding& finding) { return finding.aboutData(); };
  check.blocked = mode == Gs1CheckMode::Block && std::any_of(check.findings.begin(), check.findings.end(), aboutData);
  return check;
}

}  // namespace orbelin::convert::ean
