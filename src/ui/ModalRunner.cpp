#include "ui/ModalRunner.h"

#include <QDialog>
#include <QFileDialog>

namespace orbelin::ui {

int ExecModalRunner::run(QDialog& dialog) { return dialog.exec(); }

QString ExecModalRunner::openFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& folder) {
  // An empty initial file name in the given folder; cancelling is no failure.
  return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

}  // namespace orbelin::ui
