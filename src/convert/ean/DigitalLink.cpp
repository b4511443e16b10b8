#include "convert/ean/DigitalLink.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace orbelin::convert::ean {

namespace {

constexpr char kGroupSeparator = '\x1D';
constexpr std::string_view kGtin = "01";
constexpr std::size_t kGtinDigits = 14;

char lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) { return lower(a) == lower(b); });
}

int hexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  ch = lower(ch);
  return ch >= 'a' && ch <= 'f' ? ch - 'a' + 10 : -1;
}

// A value only ever holds printable ASCII: a GS or a line end in it would change the
// element string's fields.
bool printable(char ch) { return ch > ' ' && ch < '\x7F'; }

std::optional<std::string> percentDecoded(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = hexValue(text[i + 1]);
      const int low = hexValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      ch = static_cast<char>(high * 16 + low);
      i += 2;
    }
    if (!printable(ch)) return std::nullopt;
    decoded += ch;
  }
  if (decoded.empty()) return std::nullopt;
  return decoded;
}

// The pieces between the separators, empty ones too: an empty value is no Digital Link.
std::vector<std::string_view> piecesOf(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (std::size_t end; (end = text.find(separator)) != std::string_view::npos; text.remove_prefix(end + 1)) {
    pieces.push_back(text.substr(0, end));
  }
  pieces.push_back(text);
  return pieces;
}

// The qualifiers follow one of the key's sequences, each later in it than the one before.
bool inSequence(const std::vector<std::string>& qualifiers, const Gs1AiRules& key) {
  if (qualifiers.empty()) return true;
  return std::any_of(key.qualifierSequences.begin(), key.qualifierSequences.end(), [&](const auto& sequence) {
    auto next = sequence.begin();
    for (const std::string& ai : qualifiers) {
      next = std::find(next, sequence.end(), ai);
      if (next == sequence.end()) return false;
      ++next;
    }
    return true;
  });
}

using Field = std::pair<std::string, std::string>;

// The primary key and its qualifiers from the path's segments: the key is the last AI
// segment that every segment pair after it, all qualifiers, leaves room for. The
// segments before the key are the site's own and are not read.
std::optional<std::vector<Field>> pathFields(std::string_view path, const Gs1Dictionary& dictionary) {
  const std::vector<std::string_view> segments = piecesOf(path, '/');
  for (std::size_t at = segments.size(); at >= 2; at -= 2) {
    const Gs1AiRules* key = dictionary.find(segments[at - 2]);
    if (key == nullptr || !key->primaryKey) {
      if (key == nullptr || !key->qualifier) return std::nullopt;
      continue;
    }
    std::vector<Field> fields;
    std::vector<std::string> qualifiers;
    for (std::size_t i = at - 2; i < segments.size(); i += 2) {
      std::optional<std::string> value = percentDecoded(segments[i + 1]);
      if (!value) return std::nullopt;
      fields.emplace_back(std::string(segments[i]), std::move(*value));
      if (i > at - 2) qualifiers.emplace_back(segments[i]);
    }
    if (!inSequence(qualifiers, *key)) return std::nullopt;
    return fields;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> digitalLinkElementString(std::string_view uri, const Gs1Dictionary& dictionary) {
  std::size_t schemeLength = 0;
  if (startsWithNoCase(uri, "https://")) {
    schemeLength = 8;
  } else if (startsWithNoCase(uri, "http://")) {
    schemeLength = 7;
  } else {
    return std::nullopt;
  }
  if (!std::all_of(uri.begin(), uri.end(), printable)) return std::nullopt;
  std::string_view rest = uri.substr(schemeLength);
  rest = rest.substr(0, rest.find('#'));
  const std::size_t queryStart = rest.find('?');
  const std::string_view query =
      queryStart == std::string_view::npos ? std::string_view{} : rest.substr(queryStart + 1);
  rest = rest.substr(0, queryStart);
  const std::size_t pathStart = rest.find('/');
  if (pathStart == 0 || pathStart == std::string_view::npos) return std::nullopt;
  std::optional<std::vector<Field>> fields = pathFields(rest.substr(pathStart + 1), dictionary);
  if (!fields) return std::nullopt;
  if (!query.empty()) {
    for (std::string_view parameter : piecesOf(query, '&')) {
      const std::size_t equals = parameter.find('=');
      if (equals == std::string_view::npos) continue;
      const Gs1AiRules* attribute = dictionary.find(parameter.substr(0, equals));
      if (attribute == nullptr || !attribute->dataAttribute) continue;
      std::optional<std::string> value = percentDecoded(parameter.substr(equals + 1));
      if (!value) return std::nullopt;
      fields->emplace_back(attribute->ai, std::move(*value));
    }
  }
  std::set<std::string_view> seen;
  std::string elementString;
  for (auto& [ai, value] : *fields) {
    if (!seen.insert(ai).second) return std::nullopt;
    if (ai == kGtin && value.size() < kGtinDigits && (value.size() == 8 || value.size() == 12 || value.size() == 13)) {
      value.insert(0, kGtinDigits - value.size(), '0');
    }
    if (!elementString.empty()) elementString += kGroupSeparator;
    elementString += ai + value;
  }
  return elementString;
}

}  // namespace orbelin::convert::ean
