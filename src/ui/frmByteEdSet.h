#pragma once

#include <QDialog>

#include "ui/UiContext.h"

namespace orbelin::ui {

class NumberBoxGuard;

/// The byte-edit table editor: five rows of position, delete count and insert text.
/// OK stores them in memory and writes QELT.INI.
class frmByteEdSet : public QDialog {
  Q_OBJECT
 public:
  explicit frmByteEdSet(UiContext& context, QWidget* parent = nullptr);

  /// Stores the rows, after the "設定要求" notice when key tokens would be typed as data.
  void cmdOK_Click();
  /// Puts "0" in every position and delete count and empties every insert text.
  void cmdClear_Click();

 private:
  UiContext& m_ctx;
  NumberBoxGuard* m_guard = nullptr;
};

}  // namespace orbelin::ui
