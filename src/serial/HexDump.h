#pragma once

#include <string>
#include <string_view>

#include "platform/MonitorView.h"

namespace orbelin::serial {

/// Either view is emptied before the next chunk once it holds more than this.
inline constexpr std::size_t kDumpViewLimit = 29999;

/// The monitor's two dump views (hexadecimal and text, one line per received chunk) and
/// the recent-characters buffer that the main window caption shows.
class HexDump {
 public:
  /// Appends one chunk to both views and the printable characters to the recent ones.
  void DispHexDump(std::string_view received);

  /// The last received printable characters (at least ten once a chunk came, padded
  /// on the left with blanks).
  const std::string& recentText() const { return m_recent; }
  void clearRecentText() { m_recent.clear(); }
  const std::string& hexText() const { return m_hex; }
  const std::string& sendText() const { return m_send; }
  /// Empties both views ("表示リセット").
  void clearViews();
  /// Where the views are shown; none before the monitor window exists.
  void setView(platform::MonitorView* view) { m_view = view; }

 private:
  void appendCharacter(std::string_view bytes, std::string& hexLine, std::string& textLine);

  std::string m_recent;
  std::string m_hex;
  std::string m_send;
  platform::MonitorView* m_view = nullptr;
};

/// The status caption: status + ":[" + recent right-aligned in ten characters + "]".
std::string statusCaption(std::string_view status, std::string_view recent);

/// The last count characters of UTF-8 text, padded on the left with blanks to count.
std::string rightAligned(std::string_view text, std::size_t count);

}  // namespace orbelin::serial
