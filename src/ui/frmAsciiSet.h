#pragma once

#include <QDialog>

#include "ui/UiContext.h"

class QListWidgetItem;

namespace orbelin::ui {

/// The control-code picker: a double click on AsciiLst leaves the code's display name in
/// PickerResult and closes; CancelCmd closes and leaves it empty.
class frmAsciiSet : public QDialog {
  Q_OBJECT
 public:
  /// Loading clears result and fills AsciiLst with the 128 codes.
  explicit frmAsciiSet(PickerResult& result, QWidget* parent = nullptr);

 private:
  void AsciiLst_DblClick();

  PickerResult& m_result;
};

}  // namespace orbelin::ui
