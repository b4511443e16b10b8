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

QPushButton* addButton(QWidget& window, QLayout& layout, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), &window);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  layout.addWidget(button);
  return button;
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
  auto* commands = new QHBoxLayout;
  commands->addStretch(1);
  connect(addButton(*this, *commands, "cmdOK", "OK"), &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(addButton(*this, *commands, "cmdCancel", "ｷｬﾝｾﾙ"), &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(commands);
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
