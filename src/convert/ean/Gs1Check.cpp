#include "convert/ean/Gs1Check.h"

#include <algorithm>
#include <optional>

namespace orbelin::convert::ean {

namespace {

bool isDateCheck(Gs1Linter linter) {
  return linter == Gs1Linter::Yymmdd || linter == Gs1Linter::Yyyymmdd;
}

// The first failure of one component's part of the data.
std::optional<Gs1Finding> checkComponent(const Gs1Component& component, std::string_view part, std::size_t field) {
  Gs1Finding finding{field, Gs1Problem::BadCharacter, {}, {}};
  if (!inGs1CharacterSet(component.type, part)) return finding;
  for (Gs1Linter linter : component.linters) {
    if (gs1LintPasses(linter, part)) continue;
    finding.linter = linter;
    const bool dayZero = isDateCheck(linter) && part.size() >= 2 && part.substr(part.size() - 2) == "00" &&
                         gs1LintPasses(linter == Gs1Linter::Yymmdd ? Gs1Linter::Yymmd0 : Gs1Linter::Yyyymmd0, part);
    finding.problem = dayZero ? Gs1Problem::DayZeroRefused : Gs1Problem::FailedCheck;
    return finding;
  }
  return std::nullopt;
}

// Each component takes its part of the front of the data; optional ones may be left
// out once the data is used up.
std::optional<Gs1Finding> checkData(const Gs1AiRules& rules, std::string_view data, std::size_t field) {
  for (const Gs1Component& component : rules.components) {
    if (data.empty() && component.optional) break;
    if (data.size() < component.minLength) return Gs1Finding{field, Gs1Problem::TooShort, {}, {}};
    const std::string_view part = data.substr(0, std::min(data.size(), component.maxLength));
    data.remove_prefix(part.size());
    if (auto finding = checkComponent(component, part, field)) return finding;
  }
  if (!data.empty()) return Gs1Finding{field, Gs1Problem::TooLong, {}, {}};
  return std::nullopt;
}

std::string bracketed(std::string_view ai) { return "(" + std::string(ai) + ")"; }

bool present(std::span<const Gs1FieldToCheck> fields, std::string_view pattern) {
  return std::any_of(fields.begin(), fields.end(), [&](const auto& f) { return gs1AiMatches(pattern, f.ai); });
}

void checkPairing(std::span<const Gs1FieldToCheck> fields, std::size_t index, const Gs1AiRules& rules,
                  std::vector<Gs1Finding>& findings, std::vector<std::string>& excludedPairs) {
  for (const auto& groups : rules.required) {
    const bool met = std::any_of(groups.begin(), groups.end(), [&](const auto& group) {
      return std::all_of(group.begin(), group.end(), [&](const auto& pattern) { return present(fields, pattern); });
    });
    if (met) continue;
    std::string partners;
    for (const auto& group : groups) {
      std::string joined;
      for (const auto& pattern : group) joined += (joined.empty() ? "" : "+") + bracketed(pattern);
      partners += (partners.empty() ? "" : " ") + joined;
    }
    findings.push_back({index, Gs1Problem::MissingPartner, {}, partners});
  }
  const std::string_view ai = fields[index].ai;
  for (const Gs1FieldToCheck& other : fields) {
    if (other.ai == ai) continue;  // an AI is not exclusive of itself
    const bool excluded = std::any_of(rules.excluded.begin(), rules.excluded.end(),
                                      [&](const auto& pattern) { return gs1AiMatches(pattern, other.ai); });
    if (!excluded) continue;
    // The rule is usually written on both AIs: the pair is told once.
    const std::string pair = std::string(std::min(ai, other.ai)) + "/" + std::string(std::max(ai, other.ai));
    if (std::find(excludedPairs.begin(), excludedPairs.end(), pair) != excludedPairs.end()) continue;
    excludedPairs.push_back(pair);
    findings.push_back({index, Gs1Problem::ExcludedPartner, {}, bracketed(other.ai)});
  }
}

bool repeatedWithOtherValue(std::span<const Gs1FieldToCheck> fields, std::size_t index) {
  for (std::size_t i = 0; i < index; ++i) {
    if (fields[i].ai == fields[index].ai) return fields[i].data != fields[index].data;
  }
  return false;
}

}  // namespace

bool Gs1Finding::aboutData() const {
  return problem != Gs1Problem::MissingPartner && problem != Gs1Problem::ExcludedPartner &&
         problem != Gs1Problem::RepeatedDifferent;
}

std::vector<Gs1Finding> checkGs1Fields(std::span<const Gs1FieldToCheck> fields, const Gs1Dictionary& dictionary) {
  std::vector<Gs1Finding> findings;
  std::vector<const Gs1AiRules*> allRules(fields.size(), nullptr);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    allRules[i] = dictionary.find(fields[i].ai);
    if (allRules[i] == nullptr) {
      if (!fields[i].userRow) findings.push_back({i, Gs1Problem::UnknownAi, {}, {}});
    } else if (auto finding = checkData(*allRules[i], fields[i].data, i)) {
      findings.push_back(std::move(*finding));
    }
  }
  std::vector<std::string> excludedPairs;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (allRules[i] == nullptr) continue;
    const bool first = std::none_of(fields.begin(), fields.begin() + static_cast<long>(i),
                                    [&](const auto& f) { return f.ai == fields[i].ai; });
    if (first) checkPairing(fields, i, *allRules[i], findings, excludedPairs);
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (repeatedWithOtherValue(fields, i)) findings.push_back({i, Gs1Problem::RepeatedDifferent, {}, {}});
  }
  return findings;
}

}  // namespace orbelin::convert::ean
