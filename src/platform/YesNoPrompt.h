#pragma once

#include <string_view>

#include "platform/MessageBox.h"

namespace orbelin::platform {

/// Questions with the buttons Yes and No, No being the default button.
class YesNoPrompt {
 public:
  virtual ~YesNoPrompt() = default;
  /// Shows a modal question and returns true when the user answered Yes.
  virtual bool ask(MessageIcon icon, std::string_view title, std::string_view text) = 0;
};

}  // namespace orbelin::platform
