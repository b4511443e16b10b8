#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace orbelin::ui {

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
