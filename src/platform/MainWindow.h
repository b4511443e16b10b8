#pragma once

#include <string>
#include <string_view>

namespace orbelin::platform {

/// The main window as the engine drives it: its caption (the status line, also the tray
/// tip), the connect button's caption and minimising.
class MainWindow {
 public:
  virtual ~MainWindow() = default;
  /// Sets the window caption.
  virtual void setCaption(std::string_view caption) = 0;
  /// The current window caption.
  virtual std::string caption() const = 0;
  /// Sets the caption of the connect button ("接続中" / "未接続").
  virtual void setConnectButtonText(std::string_view text) = 0;
  /// Minimises the window (and hides it when the settings say so).
  virtual void minimize() = 0;
};

}  // namespace orbelin::platform
