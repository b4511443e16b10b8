#pragma once

#include <string_view>

namespace orbelin::platform {

/// The splash window of the start-up wait: a progress bar, the step label and the abort
/// flag that a key press or a click on the window sets.
class StartupWaitView {
 public:
  virtual ~StartupWaitView() = default;
  /// Shows the window without blocking.
  virtual void show() = 0;
  virtual void setProgressRange(int minimum, int maximum) = 0;
  virtual void setProgress(int value) = 0;
  /// Sets the step label ("1500 / 3000").
  virtual void setLabel(std::string_view text) = 0;
  /// True once the user asked to end the wait.
  virtual bool abortRequested() const = 0;
  /// Unloads the window.
  virtual void close() = 0;
};

}  // namespace orbelin::platform
