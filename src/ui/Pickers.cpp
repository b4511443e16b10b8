#include "ui/Pickers.h"

#include <QLineEdit>

#include "ui/QtText.h"
#include "ui/frmAsciiSet.h"
#include "ui/frmKeySet.h"

namespace orbelin::ui {

void appendPick(UiContext& context, PickerKind kind, QLineEdit& box, QWidget* parent) {
  if (kind == PickerKind::Key) {
    frmKeySet picker(context.picker, parent);
    context.modals.run(picker);
  } else {
    frmAsciiSet picker(context.picker, parent);
    context.modals.run(picker);
  }
  box.setText(box.text() + qs(context.picker.text));
}

}  // namespace orbelin::ui
