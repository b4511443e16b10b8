#include "serial/HexDump.h"

#include <cstdio>
#include <exception>
#include <vector>

#include "codec/Cp932.h"
#include "settings/ControlCodeNames.h"

namespace orbelin::serial {

namespace {

constexpr std::size_t kRecentLength = 10;

/// Byte offsets where the UTF-8 characters of text begin.
std::vector<std::size_t> characterStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  return starts;
}

std::size_t characterCount(std::string_view text) { return characterStarts(text).size(); }

bool isPrintable(unsigned code, std::size_t length) {
  if (length == 1) return (code >= 32 && code <= 127) || (code >= 160 && code <= 223);
  return (code >= 0x8140 && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEAA4);
}

void appendHex(std::string& line, unsigned char byte) {
  char digits[4];
  std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned>(byte));
  line += digits;
}

}  // namespace

std::string rightAligned(std::string_view text, std::size_t count) {
  const auto starts = characterStarts(text);
  if (starts.size() >= count) return std::string(text.substr(starts[starts.size() - count]));
  return std::string(count - starts.size(), ' ') + std::string(text);
}

std::string statusCaption(std::string_view status, std::string_view recent) {
  return std::string(status) + ":[" + rightAligned(recent, kRecentLength) + "]";
}

void HexDump::appendCharacter(std::string_view bytes, std::string& hexLine, std::string& textLine) {
  unsigned code = 0;
  for (const char b : bytes) {
    appendHex(hexLine, static_cast<unsigned char>(b));
    code = (code << 8) | static_cast<unsigned char>(b);
  }
  const std::string character = codec::fromCp932(bytes);
  if (bytes.size() == 1 && (code <= 31 || code == 127)) {
    textLine += settings::ControlCodeNames()[code];
  } else {
    textLine += character;
  }
  if (isPrintable(code, bytes.size())) m_recent += character;
}

void HexDump::DispHexDump(std::string_view received) {
  if (received.empty()) return;
  try {
    m_recent = rightAligned(m_recent, kRecentLength);
    const std::string bytes = codec::toCp932(received);
    std::string hexLine;
    std::string textLine;
    for (std::size_t pos = 0; pos < bytes.size();) {
      const std::size_t length = codec::charLengthAt(bytes, pos);
      appendCharacter(std::string_view(bytes).substr(pos, length), hexLine, textLine);
      pos += length;
    }
    if (m_hex.size() > kDumpViewLimit || characterCount(m_send) > kDumpViewLimit) clearViews();
    m_hex += hexLine + "\r\n";
    m_send += textLine + "\r\n";
  } catch (const std::exception&) {
    m_hex += "<Error!>";
    m_send += "<Error!>";
  }
  if (m_view != nullptr) m_view->showDump(m_hex, m_send);
}

void HexDump::clearViews() {
  m_hex.clear();
  m_send.clear();
}

}  // namespace orbelin::serial
