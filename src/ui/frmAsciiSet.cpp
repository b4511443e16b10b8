#include "ui/frmAsciiSet.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/ControlCodeNames.h"
#include "ui/QtText.h"

namespace orbelin::ui {

frmAsciiSet::frmAsciiSet(PickerResult& result, QWidget* parent) : QDialog(parent), m_result(result) {
  m_result.text.clear();
  setObjectName(QStringLiteral("frmAsciiSet"));
  setWindowTitle(QStringLiteral("ＡＳＣＩＩ"));
  auto* list = new QListWidget(this);
  list->setObjectName(QStringLiteral("AsciiLst"));
  const auto& names = settings::ControlCodeNames();
  for (int code = 0; code < 128; ++code) {
    list->addItem(QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper() + QStringLiteral("h: ") +
                  qs(names[static_cast<std::size_t>(code)]));
  }
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("CancelCmd"));
  cancel->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list);
  layout->addWidget(cancel);
  connect(list, &QListWidget::itemDoubleClicked, this, [this] { AsciiLst_DblClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  resize(220, 360);
  centreOnScreen(*this);
}

void frmAsciiSet::AsciiLst_DblClick() {
  const auto* list = findChild<QListWidget*>(QStringLiteral("AsciiLst"));
  const int row = list->currentRow();
  if (row >= 0 && row < 128 && list->currentItem()->isSelected()) {
    m_result.text = settings::ControlCodeNames()[static_cast<std::size_t>(row)];
  }
  accept();
}

}  // namespace orbelin::ui
