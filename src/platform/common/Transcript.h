#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/MessageBox.h"

namespace orbelin::platform {

/// The text lines that the recording implementations write, one per observable action
/// ("msgbox warning \"T\" \"X\"", "key 13 28 0", ...). Tests compare them; the replay
/// tool prints them.
class Transcript {
 public:
  /// Also echo every line to out as it is added (the replay tool's standard output).
  void echoTo(std::ostream* out) { m_echo = out; }
  void add(std::string line);
  const std::vector<std::string>& lines() const { return m_lines; }
  /// All lines, each followed by "\n".
  std::string text() const;
  void clear() { m_lines.clear(); }

 private:
  std::vector<std::string> m_lines;
  std::ostream* m_echo = nullptr;
};

/// TEXT in double quotes with \\ \" \r \n \t and \xHH escapes for other control bytes.
std::string quoteForTranscript(std::string_view text);

/// "critical", "warning", "information", "exclamation", "question" or "none".
std::string_view iconName(MessageIcon icon);

}  // namespace orbelin::platform
