#include "ui/AiListItems.h"

#include <QListWidget>

#include "ui/QtText.h"

namespace orbelin::ui {

QString aiItemText(const convert::ean::AiRow& row) {
  return qs(row.ai).leftJustified(4, QLatin1Char(' '), true) + QLatin1Char(':') + qs(row.name);
}

std::string aiOfItem(const QString& text) {
  QString ai = text.left(4);
  while (ai.endsWith(QLatin1Char(' '))) ai.chop(1);
  return str(ai);
}

void addAiItems(QListWidget& list, const convert::ean::AiTable& rows) {
  for (const auto& row : rows) list.addItem(aiItemText(row));
}

void moveSelectedItem(QListWidget& from, QListWidget& to) {
  const auto selected = from.selectedItems();
  if (selected.isEmpty()) return;
  to.addItem(from.takeItem(from.row(selected.front())));
}

bool runAiTableWork(UiContext& context, const char* title, const char* text, const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const std::exception& failure) {
    context.reporter.report(title, failure);
    context.messages().show(platform::MessageIcon::Warning, title, text);
    return false;
  }
}

}  // namespace orbelin::ui
