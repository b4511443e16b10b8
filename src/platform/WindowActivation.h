#pragma once

namespace orbelin::platform {

/// The program's main window as the keystroke transfer needs it when typing fails: the
/// user must see the program again, even when it lives minimised in the tray.
class WindowActivation {
 public:
  virtual ~WindowActivation() = default;
  /// Restores the main window to its normal (not minimised) state and gives it the focus.
  virtual void showNormalAndFocus() = 0;
};

}  // namespace orbelin::platform
