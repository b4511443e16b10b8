#include "keyout/KeyScanner.h"

#include <cstdio>

#include "codec/Cp932.h"

namespace orbelin::keyout {

namespace {

constexpr char kOpen = '{';
constexpr char kClose = '}';

std::int16_t codeAt(const std::string& bytes, std::size_t pos, std::size_t length) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (length < 2) return lead;
  const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(lead << 8 | trail));
}

std::string formatExpansion(BraceToken which, const platform::LocalTime& now) {
  char text[48];
  if (which == BraceToken::Date) {
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", now.year, now.month, now.day);
  } else {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  }
  return text;
}

}  // namespace

KeyScanner::KeyScanner(std::string_view keyString, bool interpretTokens, platform::Clock& clock)
    : m_input(codec::toCp932(keyString)), m_initial(m_input.size()), m_interpretTokens(interpretTokens),
      m_clock(clock) {}

KeyItem KeyScanner::next() {
  if (m_interpretTokens && m_input[m_pos] == kOpen) return takeBraceGroup();
  return takeCharacter();
}

KeyItem KeyScanner::takeCharacter() {
  KeyItem item;
  item.remainingBefore = remaining();
  const std::size_t length = codec::charLengthAt(m_input, m_pos);
  item.code = codeAt(m_input, m_pos, length);
  item.bytes = m_input.substr(m_pos, length);
  item.kind = isControlCode(item.code) ? KeyItemKind::Control : KeyItemKind::Character;
  m_pos += length;
  return item;
}

// A group runs from its "{" to the first "}" after it, except that a "}" right after
// the "{" does not end it, so that "{}}" is read whole. The closing "}" stays unread
// until the group is known.
KeyItem KeyScanner::takeBraceGroup() {
  KeyItem item;
  item.remainingBefore = remaining();
  const std::size_t start = m_pos;
  std::size_t end = start;
  bool closed = false;
  while (end < m_input.size()) {
    const std::size_t length = codec::charLengthAt(m_input, end);
    if (m_input[end] == kClose && end - start != 1) {
      closed = true;
      break;
    }
    end += length;
  }
  const std::string_view token(m_input.data() + start, end - start + (closed ? 1 : 0));
  if (auto action = findKeyToken(token)) {
    item.kind = KeyItemKind::Key;
    item.action = *action;
    m_pos = end + 1;
    return item;
  }
  const auto brace = findBraceToken(token);
  if (brace == BraceToken::LiteralOpen || brace == BraceToken::LiteralClose) {
    item.kind = KeyItemKind::Brace;
    item.code = brace == BraceToken::LiteralOpen ? kOpen : kClose;
    item.bytes.assign(1, static_cast<char>(item.code));
    m_pos = end + 1;
  } else if (brace) {
    item.kind = KeyItemKind::Expansion;
    expand(end, *brace);
  } else {
    // No token: the "{" is typed and everything after it is read again as input.
    item.kind = KeyItemKind::OpenBrace;
    item.code = kOpen;
    item.bytes.assign(1, kOpen);
    m_pos = start + 1;
  }
  return item;
}

// The expansion replaces the group and its closing "}" at the front of the input. It is
// written over bytes already read when there is room, so that a long string full of
// {Date} tokens is not copied once per token.
void KeyScanner::expand(std::size_t closingBrace, BraceToken which) {
  const std::string text = formatExpansion(which, m_clock.localTime());
  const std::size_t rest = closingBrace + 1;
  if (rest >= text.size()) {
    m_pos = rest - text.size();
    m_input.replace(m_pos, text.size(), text);
  } else {
    m_input = text + m_input.substr(rest);
    m_pos = 0;
  }
}

}  // namespace orbelin::keyout
