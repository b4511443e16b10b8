#include "platform/common/Transcript.h"

#include <cstdio>

namespace orbelin::platform {

void Transcript::add(std::string line) {
  if (m_echo != nullptr) {
    *m_echo << line << '\n';
    m_echo->flush();
  }
  m_lines.push_back(std::move(line));
}

std::string Transcript::text() const {
  std::string all;
  for (const auto& line : m_lines) {
    all += line;
    all += '\n';
  }
  return all;
}

std::string quoteForTranscript(std::string_view text) {
  std::string out = "\"";
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    switch (ch) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", byte);
          out += hex;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

std::string_view iconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return "critical";
    case MessageIcon::Warning: return "warning";
    case MessageIcon::Information: return "information";
    case MessageIcon::Exclamation: return "exclamation";
    case MessageIcon::Question: return "question";
    case MessageIcon::None: return "none";
  }
  return "none";
}

}  // namespace orbelin::platform
