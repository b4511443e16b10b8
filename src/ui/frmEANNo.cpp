#include "ui/frmEANNo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "convert/ean/AiTableStore.h"
#include "ui/AiListItems.h"
#include "ui/Controls.h"
#include "ui/QtText.h"
#include "ui/frmEANSet.h"

namespace orbelin::ui {

frmEANNo::frmEANNo(UiContext& context, QWidget* parent) : QDialog(parent), m_ctx(context) {
  setObjectName(QStringLiteral("frmEANNo"));
  setWindowTitle(QStringLiteral("ＡＩ 識別子でソート"));
  auto* frame = new QGroupBox(QStringLiteral("ＡＩ識別子転送順序"), this);
  m_list = new QListWidget(frame);
  m_list->setObjectName(QStringLiteral("AIDBList"));
  m_list->viewport()->installEventFilter(this);
  (new QVBoxLayout(frame))->addWidget(m_list);
  auto* moves = new QVBoxLayout;
  moves->addStretch(1);
  connect(addButton(*this, *moves, "AddCmd", "上へ"), &QPushButton::clicked, this, [this] { AddCmd_Click(); });
  connect(addButton(*this, *moves, "DelCmd", "下へ"), &QPushButton::clicked, this, [this] { DelCmd_Click(); });
  connect(addButton(*this, *moves, "DefaultCmd", "既定順"), &QPushButton::clicked, this, [this] { DefaultCmd_Click(); });
  moves->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(frame, 1);
  top->addLayout(moves);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(okCancelRow(*this, [this] { cmdOK_Click(); }));
  resize(460, 420);
  guarded("frmEANNoFormLoad", kAiReadFailed,
          [this] { addAiItems(*m_list, convert::ean::AiTableStore(m_ctx.paths.database()).readBySetNo()); });
  centreOnScreen(*this);
}

bool frmEANNo::guarded(const char* title, const char* text, const std::function<void()>& work) {
  return runAiTableWork(m_ctx, title, text, work);
}

void frmEANNo::swapSelected(int offset) {
  const auto selected = m_list->selectedItems();
  if (selected.isEmpty()) return;
  const int from = m_list->row(selected.front());
  const int to = from + offset;
  if (to < 0 || to >= m_list->count()) return;
  m_list->insertItem(to, m_list->takeItem(from));
  m_list->setCurrentRow(to);
}

void frmEANNo::AddCmd_Click() { swapSelected(-1); }

void frmEANNo::DelCmd_Click() { swapSelected(1); }

void frmEANNo::DefaultCmd_Click() {
  guarded("frmEANNoDefaultCmd", kAiReadFailed, [this] {
    const auto rows = convert::ean::AiTableStore(m_ctx.paths.database()).readAll();
    m_list->clear();
    addAiItems(*m_list, rows);
  });
}

void frmEANNo::cmdOK_Click() {
  const bool written = guarded("frmEANNocmdOK", kAiWriteFailed, [this] {
    const convert::ean::AiTableStore store(m_ctx.paths.database());
    for (int i = 0; i < m_list->count(); ++i) store.setPosition(aiOfItem(m_list->item(i)->text()), i + 1);
  });
  if (written) accept();
}

int frmEANNo::itemAt(int y) const {
  if (m_list->count() == 0) return -1;
  const int height = std::max(1, m_list->visualItemRect(m_list->item(0)).height());
  const QModelIndex top = m_list->indexAt(QPoint(1, 1));
  const int index = y / height + (top.isValid() ? top.row() : 0);
  return std::clamp(index, 0, m_list->count() - 1);
}

bool frmEANNo::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_list->viewport()) return false;
  if (event->type() == QEvent::MouseButtonPress) {
    m_dragSource = itemAt(static_cast<QMouseEvent*>(event)->position().toPoint().y());
  } else if (event->type() == QEvent::MouseButtonRelease && m_dragSource >= 0) {
    const int target = itemAt(static_cast<QMouseEvent*>(event)->position().toPoint().y());
    if (target >= 0 && target != m_dragSource) {
      m_list->insertItem(target, m_list->takeItem(m_dragSource));
      m_list->setCurrentRow(target);
    }
    m_dragSource = -1;
  }
  return false;
}

}  // namespace orbelin::ui
