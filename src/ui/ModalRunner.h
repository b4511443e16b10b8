#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace orbelin::ui {

/// Runs the modal windows that a dialog opens, so that tests can drive them without a
/// nested event loop.
class ModalRunner {
 public:
  virtual ~ModalRunner() = default;
  /// Shows dialog modally and returns its result code once it has closed.
  virtual int run(QDialog& dialog) = 0;
  /// The open-file chooser; the chosen file name, or an empty string when cancelled.
  virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                               const QString& folder) = 0;
};

/// The real runner: QDialog::exec and the Qt file dialog.
class ExecModalRunner : public ModalRunner {
 public:
  int run(QDialog& dialog) override;
  QString openFileName(QWidget* parent, const QString& title, const QString& filter, const QString& folder) override;
};

}  // namespace orbelin::ui
