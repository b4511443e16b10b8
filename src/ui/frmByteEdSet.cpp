#include "ui/frmByteEdSet.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <exception>

#include "settings/EditTableStore.h"
#include "ui/EditorRows.h"
#include "ui/NumberBoxGuard.h"
#include "ui/Pickers.h"
#include "ui/QtText.h"
#include "ui/frmChikanSet.h"

namespace orbelin::ui {

namespace {

constexpr int kRows = static_cast<int>(settings::kByteEditRows);

}  // namespace

frmByteEdSet::frmByteEdSet(UiContext& context, QWidget* parent) : QDialog(parent), m_ctx(context) {
  setObjectName(QStringLiteral("frmByteEdSet"));
  setWindowTitle(QStringLiteral("固定サイズデータ編集(削除・挿入)"));
  auto* grid = new QGridLayout(this);
  EditorRows rows{*this, *grid};
  rows.label("開始位置", 0, 1);
  rows.label("削除", 0, 3);
  rows.label("挿入", 0, 5);
  m_guard = new NumberBoxGuard(m_ctx.messages(), *this, this);
  const auto& table = m_ctx.configuration.tables.byteEdits;
  for (int n = 1; n <= kRows; ++n) {
    const auto& entry = table[static_cast<std::size_t>(n - 1)];
    rows.label(QStringLiteral(" %1").arg(n).toUtf8().constData(), n, 0);
    auto* position = rows.text(rowName("BTxt", n), n, 1, 60);
    position->setText(qs(entry.position));
    rows.label("Byte目から", n, 2);
    auto* count = rows.text(rowName("DTxt", n), n, 3, 60);
    count->setText(qs(entry.deleteCount));
    rows.label("Byte削除し、", n, 4);
    rows.text(rowName("ATxt", n), n, 5, 200)->setText(qs(entry.insertText));
    rows.label("を挿入する。", n, 6);
    auto* keyPick = rows.button(rowName("AKeyAddCmd", n), "KeyBoard", n, 7);
    connect(keyPick, &QPushButton::clicked, this, [this, n] {
      appendPick(m_ctx, PickerKind::Key, *findChild<QLineEdit*>(rowName("ATxt", n)), this);
    });
    for (auto* box : {position, count}) {
      m_guard->filterKeys(*box);
      m_guard->checkOnLeave(*box);
    }
  }
  rows.commandButtons(kRows + 1, 8);
  auto* cancel = findChild<QPushButton*>(QStringLiteral("cmdCancel"));
  m_guard->setExempt(*cancel);
  connect(findChild<QPushButton*>(QStringLiteral("cmdOK")), &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(findChild<QPushButton*>(QStringLiteral("cmdClear")), &QPushButton::clicked, this, [this] { cmdClear_Click(); });
  adjustSize();
  centreOnScreen(*this);
}

void frmByteEdSet::cmdOK_Click() {
  // The leave check has already told the user; the box keeps the focus.
  if (m_guard->holdsRejectedValue()) return;
  bool braces = false;
  for (int n = 1; n <= kRows; ++n) braces = braces || rowText(*this, "ATxt", n).contains(QLatin1Char('{'));
  if (braces) warnBracesAsData(m_ctx, "バイト編集");
  try {
    auto& table = m_ctx.configuration.tables.byteEdits;
    for (int n = 1; n <= kRows; ++n) {
      auto& entry = table[static_cast<std::size_t>(n - 1)];
      entry.position = str(rowText(*this, "BTxt", n));
      entry.deleteCount = str(rowText(*this, "DTxt", n));
      entry.insertText = str(rowText(*this, "ATxt", n));
    }
    settings::PutEdy(m_ctx.configuration.tables, m_ctx.paths.ini(), m_ctx.reporter);
  } catch (const std::exception& failure) {
    m_ctx.reporter.report("frmByteEdSet_cmdOK", failure);
  }
  accept();
}

void frmByteEdSet::cmdClear_Click() {
  for (int n = 1; n <= kRows; ++n) {
    findChild<QLineEdit*>(rowName("BTxt", n))->setText(QStringLiteral("0"));
    findChild<QLineEdit*>(rowName("DTxt", n))->setText(QStringLiteral("0"));
    findChild<QLineEdit*>(rowName("ATxt", n))->clear();
  }
}

}  // namespace orbelin::ui
