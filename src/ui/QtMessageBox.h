#pragma once

#include <QPointer>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/YesNoPrompt.h"

class QMessageBox;
class QWidget;

namespace orbelin::ui {

/// Message boxes and Yes/No questions as QMessageBox, modal to the active window.
class QtMessageBox : public platform::MessageBox, public platform::YesNoPrompt {
 public:
  void show(platform::MessageIcon icon, std::string_view title, std::string_view text) override;
  void showAside(platform::MessageIcon icon, std::string_view title, std::string_view text) override;
  bool ask(platform::MessageIcon icon, std::string_view title, std::string_view text) override;

 private:
  /// The boxes shown aside that are still open.
  std::vector<QPointer<QMessageBox>> m_aside;
};

}  // namespace orbelin::ui
