#pragma once

#include <QObject>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "ui/QtText.h"

class QDialog;
class QHBoxLayout;
class QLayout;
class QPushButton;
class QWidget;

namespace orbelin::ui {

/// The child of root with the object name, or nullptr.
template <class T>
T* findControl(const QObject& root, std::string_view name) {
  return root.findChild<T*>(qs(name));
}

/// A button named name added to layout; it is no default button, so Enter does not press it.
QPushButton* addButton(QWidget& window, QLayout& layout, const char* name, const char* caption);
/// OK and cancel at the right of a row: OK runs ok, cancel rejects the dialog.
QHBoxLayout* okCancelRow(QDialog& dialog, std::function<void()> ok);

/// Enables or disables each named control of root.
void setEnabledAll(const QObject& root, std::initializer_list<std::string_view> names, bool enabled);
/// Checks or clears the named check box; missing boxes are ignored.
void setChecked(const QObject& root, std::string_view name, bool checked);
/// True when the named check box is checked.
bool isChecked(const QObject& root, std::string_view name);

/// The selected index of a drop-down list or list box, -1 when none.
int listIndex(const QWidget& list);
/// Selects the entry at index (-1 for none) of a drop-down list or list box.
void setListIndex(QWidget& list, int index);
/// The number of entries of a drop-down list or list box.
int listCount(const QWidget& list);

}  // namespace orbelin::ui
