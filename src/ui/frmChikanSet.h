#pragma once

#include <QDialog>

#include "ui/UiContext.h"

namespace orbelin::ui {

/// The substitution table editor: ten rows of before and after text in display form.
/// OK stores them in memory with their working forms and writes QELT.INI.
class frmChikanSet : public QDialog {
  Q_OBJECT
 public:
  explicit frmChikanSet(UiContext& context, QWidget* parent = nullptr);

  /// Stores the rows, after the "設定要求" notice when key tokens would be typed as data.
  void cmdOK_Click();
  /// Empties every box; nothing is stored before OK.
  void cmdClear_Click();

 private:
  UiContext& m_ctx;
};

/// The notice shown when an editor's text holds "{" while braces are typed as data.
void warnBracesAsData(UiContext& context, const char* what);

}  // namespace orbelin::ui
