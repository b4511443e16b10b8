#pragma once

#include <string_view>

namespace orbelin::platform {

enum class IconState { Connected, Disconnected, Busy };

/// The notification-area icon: its state picture and its tip.
class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  /// Shows the icon in state with tip (added on first use).
  virtual void setIcon(IconState state, std::string_view tip) = 0;
  /// Removes the icon at shutdown.
  virtual void remove() = 0;
};

/// "connected", "disconnected" or "busy".
constexpr std::string_view iconStateName(IconState state) {
  switch (state) {
    case IconState::Connected: return "connected";
    case IconState::Disconnected: return "disconnected";
    case IconState::Busy: return "busy";
  }
  return "disconnected";
}

}  // namespace orbelin::platform
