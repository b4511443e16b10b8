#include "convert/ean/Gs1Dictionary.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace orbelin::convert::ean {

namespace {

#include "convert/ean/Gs1DictionaryText.inc"

[[noreturn]] void fail(std::string_view line, std::string_view what) {
  throw std::invalid_argument("GS1 dictionary: " + std::string(what) + ": " + std::string(line));
}

std::vector<std::string_view> split(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> pieces;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find_first_of(separators, at), text.size());
    if (end > at) pieces.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return pieces;
}

std::size_t lengthOf(std::string_view digits, std::string_view line) {
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc{} || end != digits.data() + digits.size() || value == 0) fail(line, "bad length");
  return value;
}

// "N13,csum", "[X..17]", "[N3],iso3166": optional in brackets, then the checks.
Gs1Component componentOf(std::string_view token, std::string_view line) {
  Gs1Component component;
  std::string_view format = token.substr(0, token.find(','));
  std::string_view checks = token.substr(format.size());
  if (format.starts_with('[')) {
    if (!format.ends_with(']')) fail(line, "unclosed optional component");
    component.optional = true;
    format = format.substr(1, format.size() - 2);
  }
  if (format.empty() || std::string_view("NXYZ").find(format[0]) == std::string_view::npos) fail(line, "bad type");
  component.type = format[0];
  const bool variable = format.substr(1).starts_with("..");
  component.maxLength = lengthOf(format.substr(variable ? 3 : 1), line);
  component.minLength = variable ? 1 : component.maxLength;
  for (std::string_view name : split(checks, ",")) {
    const auto linter = gs1LinterNamed(name);
    if (!linter) fail(line, "unknown check " + std::string(name));
    component.linters.push_back(*linter);
  }
  return component;
}

void addAttribute(Gs1AiRules& rules, std::string_view token, std::string_view line) {
  if (token == "dlpkey") {
    rules.primaryKey = true;
  } else if (token.starts_with("dlpkey=")) {
    rules.primaryKey = true;
    for (std::string_view sequence : split(token.substr(7), "|")) {
      auto& ais = rules.qualifierSequences.emplace_back();
      for (std::string_view ai : split(sequence, ",")) ais.emplace_back(ai);
    }
    if (rules.qualifierSequences.empty()) fail(line, "no qualifiers after dlpkey=");
  } else if (token.starts_with("req=")) {
    auto& groups = rules.required.emplace_back();
    for (std::string_view group : split(token.substr(4), ",")) {
      auto& patterns = groups.emplace_back();
      for (std::string_view pattern : split(group, "+")) patterns.emplace_back(pattern);
    }
  } else if (token.starts_with("ex=")) {
    for (std::string_view pattern : split(token.substr(3), ",")) rules.excluded.emplace_back(pattern);
  }
}

bool isComponent(std::string_view token) {
  const std::string_view format = token.substr(token.starts_with('[') ? 1 : 0);
  return !format.empty() && std::string_view("NXYZ").find(format[0]) != std::string_view::npos;
}

// One entry line: AIs, flags, components, attributes, title.
Gs1AiRules entryOf(std::string_view line, std::string_view& range) {
  Gs1AiRules rules;
  const std::size_t hash = line.find('#');
  if (hash != std::string_view::npos) {
    const std::string_view title = line.substr(hash + 1);
    const std::size_t start = title.find_first_not_of(' ');
    rules.title = start == std::string_view::npos ? std::string{} : std::string(title.substr(start));
  }
  const std::vector<std::string_view> tokens = split(line.substr(0, hash), " \t");
  if (tokens.empty()) fail(line, "no AI");
  range = tokens[0];
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const std::string_view token = tokens[i];
    if (isComponent(token)) {
      rules.components.push_back(componentOf(token, line));
    } else if (rules.components.empty()) {
      rules.predefinedLength = token.find('*') != std::string_view::npos;
      rules.dataAttribute = token.find('?') != std::string_view::npos;
    } else {
      addAttribute(rules, token, line);
    }
  }
  if (rules.components.empty()) fail(line, "no components");
  return rules;
}

// "3100-3105" gives every AI from the first to the last.
std::vector<std::string> expand(std::string_view range, std::string_view line) {
  const std::size_t dash = range.find('-');
  const std::string_view first = range.substr(0, dash);
  const std::string_view last = dash == std::string_view::npos ? first : range.substr(dash + 1);
  const bool digits = std::all_of(first.begin(), first.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
  if (first.empty() || first.size() != last.size() || !digits || first.size() > 4) fail(line, "bad AI range");
  std::vector<std::string> ais;
  const std::size_t from = lengthOf("1" + std::string(first), line);
  const std::size_t to = lengthOf("1" + std::string(last), line);
  for (std::size_t ai = from; ai <= to; ++ai) ais.push_back(std::to_string(ai).substr(1));
  return ais;
}

// The rules of ai in allRules sorted by AI, or the end.
template <class Specs>
auto rulesOf(Specs& allRules, std::string_view ai) {
  const auto at = std::lower_bound(allRules.begin(), allRules.end(), ai, [](const Gs1AiRules& rules, std::string_view key) {
    return std::string_view(rules.ai) < key;
  });
  return at != allRules.end() && at->ai == ai ? at : allRules.end();
}

}  // namespace

Gs1Dictionary::Gs1Dictionary(std::string_view text) {
  for (std::string_view line : split(text, "\r\n")) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || line[start] == '#') continue;
    std::string_view range;
    const Gs1AiRules rules = entryOf(line, range);
    // A key's qualifiers follow that one AI in a path; a range would give them to many.
    if (rules.primaryKey && range.find('-') != std::string_view::npos) fail(line, "a primary key for a range");
    for (std::string& ai : expand(range, line)) {
      m_rules.push_back(rules);
      m_rules.back().ai = std::move(ai);
    }
  }
  std::sort(m_rules.begin(), m_rules.end(), [](const auto& a, const auto& b) { return a.ai < b.ai; });
  const auto twice = std::adjacent_find(m_rules.begin(), m_rules.end(),
                                        [](const auto& a, const auto& b) { return a.ai == b.ai; });
  if (twice != m_rules.end()) fail(twice->ai, "an AI given twice");
  for (const Gs1AiRules& key : m_rules) {
    for (const auto& sequence : key.qualifierSequences) {
      for (const std::string& ai : sequence) {
        const auto at = rulesOf(m_rules, ai);
        if (at == m_rules.end()) fail(key.ai, "a qualifier that is no AI: " + ai);
        at->qualifier = true;
      }
    }
  }
}

const Gs1AiRules* Gs1Dictionary::find(std::string_view ai) const {
  const auto at = rulesOf(m_rules, ai);
  return at != m_rules.end() ? &*at : nullptr;
}

const Gs1Dictionary& gs1Dictionary() {
  static const Gs1Dictionary dictionary(kGs1DictionaryText);
  return dictionary;
}

bool gs1AiMatches(std::string_view pattern, std::string_view ai) {
  if (pattern.size() != ai.size()) return false;
  for (std::size_t i = 0; i < ai.size(); ++i) {
    if (pattern[i] != ai[i] && !(pattern[i] == 'n' && ai[i] >= '0' && ai[i] <= '9')) return false;
  }
  return true;
}

}  // namespace orbelin::convert::ean
