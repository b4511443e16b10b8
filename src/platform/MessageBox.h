#pragma once

#include <string_view>

namespace orbelin::platform {

enum class MessageIcon { Critical, Warning, Information, Exclamation, Question, None };

/// The message boxes of the user interface (OK button only).
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  /// Shows a modal box and returns when the user has closed it.
  virtual void show(MessageIcon icon, std::string_view title, std::string_view text) = 0;
  /// The same box without taking the keyboard focus and without waiting for it to be
  /// closed: for a report that comes unasked while the user works in another program (a
  /// reader unplugged), whose next scans must still be typed there and not into the box.
  virtual void showAside(MessageIcon icon, std::string_view title, std::string_view text) { show(icon, title, text); }
};

}  // namespace orbelin::platform
