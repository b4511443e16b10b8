#pragma once

#include <QDialog>
#include <vector>

#include "ui/UiContext.h"

namespace orbelin::ui {

/// One button of the key picker: its object name, caption and key token.
struct KeyButton {
  const char* name;
  const char* caption;
  const char* token;
};

/// The 54 buttons of the key picker, in their order on the window.
const std::vector<KeyButton>& keyButtons();

/// The key picker: a click on a button leaves its key token in PickerResult and closes.
class frmKeySet : public QDialog {
  Q_OBJECT
 public:
  /// Loading clears result; closing by the close box leaves it empty.
  explicit frmKeySet(PickerResult& result, QWidget* parent = nullptr);

 private:
  PickerResult& m_result;
};

}  // namespace orbelin::ui
