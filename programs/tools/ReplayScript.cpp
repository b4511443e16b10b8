#include "tools/ReplayScript.h"

#include <charconv>
#include <sstream>

#include "codec/Cp932.h"

namespace orbelin::tools {

namespace {

std::optional<int> hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

std::optional<char> hexByte(std::string_view pair) {
  if (pair.size() != 2) return std::nullopt;
  const auto high = hexDigit(pair[0]);
  const auto low = hexDigit(pair[1]);
  if (!high || !low) return std::nullopt;
  return static_cast<char>(*high * 16 + *low);
}

std::optional<std::string> parseBytes(std::string_view rest) {
  std::istringstream words{std::string(rest)};
  std::string word;
  std::string bytes;
  while (words >> word) {
    const auto byte = hexByte(word);
    if (!byte) return std::nullopt;
    bytes += *byte;
  }
  if (bytes.empty()) return std::nullopt;
  return bytes;
}

std::optional<std::int64_t> parseMs(std::string_view rest) {
  std::int64_t ms = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), ms);
  if (error != std::errc() || end != rest.data() + rest.size() || ms < 0) return std::nullopt;
  return ms;
}

/// A plain name in the program folder: no folder part, nothing that leaves the folder.
bool isPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

/// One directive; an error message when it is malformed.
std::variant<ReplayStep, std::string> parseLine(std::string_view line) {
  const auto space = line.find_first_of(" \t");
  const std::string_view word = line.substr(0, space);
  const std::string_view rest = space == std::string_view::npos ? std::string_view() : trim(line.substr(space));
  if (word == "bytes") {
    if (auto bytes = parseBytes(rest)) return ReplayStep{ArriveStep{std::move(*bytes)}};
    return std::string("bytes needs hexadecimal pairs such as \"bytes 02 41 03\"");
  }
  if (word == "text") {
    auto bytes = unquoteToCp932(rest);
    if (bytes && !bytes->empty()) return ReplayStep{ArriveStep{std::move(*bytes)}};
    return std::string("text needs one non-empty quoted string such as \"text \\\"ABC\\\\r\\\"\"");
  }
  if (word == "wait") {
    if (const auto ms = parseMs(rest)) return ReplayStep{WaitStep{*ms}};
    return std::string("wait needs a number of milliseconds");
  }
  if (word == "touch" || word == "remove") {
    if (!isPlainFileName(rest)) return std::string(word) + " needs a file name without a folder";
    if (word == "touch") return ReplayStep{TouchStep{std::string(rest)}};
    return ReplayStep{RemoveStep{std::string(rest)}};
  }
  return "unknown directive \"" + std::string(word) + "\"";
}

}  // namespace

std::optional<std::string> unquoteToCp932(std::string_view quoted) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return std::nullopt;
  const std::string_view body = quoted.substr(1, quoted.size() - 2);
  std::string bytes;
  std::string pending;  // UTF-8 text not yet converted
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '"') return std::nullopt;
    if (c != '\\') {
      pending += c;
      continue;
    }
    if (++i >= body.size()) return std::nullopt;
    switch (body[i]) {
      case 'r': pending += '\r'; break;
      case 'n': pending += '\n'; break;
      case 't': pending += '\t'; break;
      case '\\': pending += '\\'; break;
      case '"': pending += '"'; break;
      case 'x': {
        const auto byte = hexByte(body.substr(i + 1, 2));
        if (!byte) return std::nullopt;
        bytes += codec::toCp932(pending) + *byte;
        pending.clear();
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return bytes + codec::toCp932(pending);
}

ReplayScript parseReplayScript(std::string_view text) {
  ReplayScript script;
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto end = text.find('\n', start);
    const std::string_view line = trim(text.substr(start, end == std::string_view::npos ? end : end - start));
    ++lineNumber;
    if (!line.empty() && line.front() != '#') {
      auto parsed = parseLine(line);
      if (auto* message = std::get_if<std::string>(&parsed)) {
        script.error = "line " + std::to_string(lineNumber) + ": " + *message;
        script.steps.clear();
        return script;
      }
      script.steps.push_back(std::get<ReplayStep>(std::move(parsed)));
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return script;
}

}  // namespace orbelin::tools
