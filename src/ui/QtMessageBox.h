#pragma once

#include "platform/MessageBox.h"
#include "platform/YesNoPrompt.h"

class QWidget;

namespace orbelin::ui {

/// Message boxes and Yes/No questions as QMessageBox, modal to the active window.
class QtMessageBox : public platform::MessageBox, public platform::YesNoPrompt {
 public:
  void show(platform::MessageIcon icon, std::string_view title, std::string_view text) override;
  bool ask(platform::MessageIcon icon, std::string_view title, std::string_view text) override;
};

}  // namespace orbelin::ui
