#include "ui/frmEANSet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "convert/ean/AiTableStore.h"
#include "ui/AiListItems.h"
#include "ui/Controls.h"
#include "ui/QtText.h"

namespace orbelin::ui {

namespace {

QListWidget* framedList(QWidget& window, QLayout& layout, const char* caption, const char* name) {
  auto* frame = new QGroupBox(QString::fromUtf8(caption), &window);
  auto* list = new QListWidget(frame);
  list->setObjectName(QString::fromLatin1(name));
  (new QVBoxLayout(frame))->addWidget(list);
  layout.addWidget(frame);
  return list;
}

}  // namespace

frmEANSet::frmEANSet(UiContext& context, QWidget* parent) : QDialog(parent), m_ctx(context) {
  setObjectName(QStringLiteral("frmEANSet"));
  setWindowTitle(QStringLiteral("ＡＩ 識別子より必要データのみ抽出"));
  auto* lists = new QHBoxLayout;
  m_chosen = framedList(*this, *lists, "抽出情報", "AIList");
  auto* moves = new QVBoxLayout;
  lists->addLayout(moves);
  m_others = framedList(*this, *lists, "ＡＩ識別子", "AIDBList");
  moves->addStretch(1);
  connect(addButton(*this, *moves, "AddCmd", "選択"), &QPushButton::clicked, this,
          [this] { moveSelectedItem(*m_others, *m_chosen); });
  connect(addButton(*this, *moves, "DelCmd", "解除"), &QPushButton::clicked, this,
          [this] { moveSelectedItem(*m_chosen, *m_others); });
  connect(addButton(*this, *moves, "AddAllCmd", "全て選択"), &QPushButton::clicked, this, [this] { AddAllCmd_Click(); });
  connect(addButton(*this, *moves, "DelAllCmd", "全て解除"), &QPushButton::clicked, this, [this] { DelAllCmd_Click(); });
  moves->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(okCancelRow(*this, [this] { cmdOK_Click(); }));
  resize(620, 420);
  guarded("frmEANSetFormLoad", kAiReadFailed, [this] {
    for (const auto& row : convert::ean::AiTableStore(m_ctx.paths.database()).readAll()) {
      (row.out ? m_chosen : m_others)->addItem(aiItemText(row));
    }
  });
  centreOnScreen(*this);
}

bool frmEANSet::guarded(const char* title, const char* text, const std::function<void()>& work) {
  return runAiTableWork(m_ctx, title, text, work);
}

void frmEANSet::refill(bool allChosen) {
  m_chosen->clear();
  m_others->clear();
  addAiItems(allChosen ? *m_chosen : *m_others, convert::ean::AiTableStore(m_ctx.paths.database()).readAll());
}

void frmEANSet::AddAllCmd_Click() {
  guarded("frmEANSetAddAllCmd", kAiReadFailed, [this] { refill(true); });
}

void frmEANSet::DelAllCmd_Click() {
  guarded("frmEANSetDelAllCmd", kAiReadFailed, [this] { refill(false); });
}

void frmEANSet::cmdOK_Click() {
  const bool written = guarded("frmEANSetcmdOK", kAiWriteFailed, [this] {
    const convert::ean::AiTableStore store(m_ctx.paths.database());
    store.selectAll();
    for (int i = 0; i < m_others->count(); ++i) store.deselect(aiOfItem(m_others->item(i)->text()));
  });
  // After a failure the window stays open, so the choice can be written again or given up.
  if (written) accept();
}

}  // namespace orbelin::ui
