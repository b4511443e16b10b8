#include "ui/EditorRows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orbelin::ui {

QString rowName(const char* family, int row) { return QString::fromLatin1(family) + QString::number(row); }

QString rowText(const QWidget& window, const char* family, int row) {
  return window.findChild<QLineEdit*>(rowName(family, row))->text();
}

QLineEdit* EditorRows::text(const QString& name, int row, int column, int width) {
  auto* box = new QLineEdit(&window);
  box->setObjectName(name);
  if (width > 0) box->setFixedWidth(width);
  grid.addWidget(box, row, column);
  return box;
}

QPushButton* EditorRows::button(const QString& name, const char* caption, int row, int column) {
  auto* push = new QPushButton(QString::fromUtf8(caption), &window);
  push->setObjectName(name);
  push->setAutoDefault(false);
  grid.addWidget(push, row, column);
  return push;
}

QLabel* EditorRows::label(const char* caption, int row, int column) {
  auto* text = new QLabel(QString::fromUtf8(caption), &window);
  grid.addWidget(text, row, column);
  return text;
}

void EditorRows::commandButtons(int row, int columnSpan) {
  auto* line = new QHBoxLayout;
  line->addStretch(1);
  const std::pair<const char*, const char*> buttons[] = {{"cmdOK", "OK"}, {"cmdCancel", "ｷｬﾝｾﾙ"}, {"cmdClear", "クリア"}};
  for (const auto& [name, caption] : buttons) {
    auto* push = new QPushButton(QString::fromUtf8(caption), &window);
    push->setObjectName(QString::fromLatin1(name));
    push->setAutoDefault(false);
    line->addWidget(push);
  }
  grid.addLayout(line, row, 0, 1, columnSpan);
}

}  // namespace orbelin::ui
