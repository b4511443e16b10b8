#include "ui/Controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

namespace orbelin::ui {

QPushButton* addButton(QWidget& window, QLayout& layout, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), &window);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  layout.addWidget(button);
  return button;
}

QHBoxLayout* okCancelRow(QDialog& dialog, std::function<void()> ok) {
  auto* commands = new QHBoxLayout;
  commands->addStretch(1);
  QObject::connect(addButton(dialog, *commands, "cmdOK", "OK"), &QPushButton::clicked, &dialog, std::move(ok));
  QObject::connect(addButton(dialog, *commands, "cmdCancel", "ｷｬﾝｾﾙ"), &QPushButton::clicked, &dialog, &QDialog::reject);
  return commands;
}

void setEnabledAll(const QObject& root, std::initializer_list<std::string_view> names, bool enabled) {
  for (const auto name : names) {
    if (auto* control = findControl<QWidget>(root, name)) control->setEnabled(enabled);
  }
}

void setChecked(const QObject& root, std::string_view name, bool checked) {
  if (auto* box = findControl<QAbstractButton>(root, name)) box->setChecked(checked);
}

bool isChecked(const QObject& root, std::string_view name) {
  const auto* box = findControl<QAbstractButton>(root, name);
  return box != nullptr && box->isChecked();
}

int listIndex(const QWidget& list) {
  if (const auto* combo = qobject_cast<const QComboBox*>(&list)) return combo->currentIndex();
  if (const auto* box = qobject_cast<const QListWidget*>(&list)) {
    // A list box counts as chosen only with a selected entry, not a mere focus cursor.
    const auto selected = box->selectedItems();
    return selected.isEmpty() ? -1 : box->row(selected.front());
  }
  return -1;
}

void setListIndex(QWidget& list, int index) {
  if (auto* combo = qobject_cast<QComboBox*>(&list)) {
    combo->setCurrentIndex(index);
  } else if (auto* box = qobject_cast<QListWidget*>(&list)) {
    box->clearSelection();
    box->setCurrentRow(index);
    if (index >= 0) box->scrollToItem(box->item(index));
  }
}

int listCount(const QWidget& list) {
  if (const auto* combo = qobject_cast<const QComboBox*>(&list)) return combo->count();
  if (const auto* box = qobject_cast<const QListWidget*>(&list)) return box->count();
  return 0;
}

}  // namespace orbelin::ui
