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
};

}  // namespace orbelin::platform
