#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace orbelin::ui {

/// The name of a row's control: its family and the row number ("ATxt3").
QString rowName(const char* family, int row);
/// The text of the family's box on the row.
QString rowText(const QWidget& window, const char* family, int row);

/// Small builders for the rows of the table editors.
struct EditorRows {
  QWidget& window;
  QGridLayout& grid;

  QLineEdit* text(const QString& name, int row, int column, int width = 0);
  QPushButton* button(const QString& name, const char* caption, int row, int column);
  QLabel* label(const char* caption, int row, int column);
  /// OK, cancel and clear below the rows.
  void commandButtons(int row, int columnSpan);
};

}  // namespace orbelin::ui
