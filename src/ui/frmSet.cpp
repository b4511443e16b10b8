#include "ui/frmSet.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>
#include <filesystem>

#include "text/Integers.h"
#include "report/FileExists.h"
#include "ui/Controls.h"
#include "ui/NumberBoxGuard.h"
#include "ui/SettingsLists.h"
#include "ui/Pickers.h"

namespace orbelin::ui {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr std::string_view kCheckTitle = "入力確認";

struct NodeDefinition {
  const char* key;
  const char* text;
  const char* parent;
};

// In the order they are added; "SPC_1" joins under "SPC_0" only while EANChk is checked.
constexpr NodeDefinition kNodes[] = {
    {"COM_0", "通信設定", "MAINS"},         {"COM_1", "通信トラブル対策", "COM_0"},
    {"COM_2", "シリアル機器制御", "COM_0"}, {"RCV_0", "受信データフォーマット", "MAINS"},
    {"SND_0", "キー転送フォーマット", "MAINS"}, {"SND_1", "データ編集", "SND_0"},
    {"SND_2", "キー入力トラブル対策", "SND_0"}, {"SPC_0", "バーコード機能", "MAINS"},
    {"SPC_2", "書籍関連", "SPC_0"},         {"MOV_0", "動作設定", "MAINS"},
    {"FIL_0", "ファイル", "MAINS"},
};
constexpr NodeDefinition kEanNode = {"SPC_1", "ＥＡＮ１２８", "SPC_0"};

QTreeWidgetItem* makeNode(const NodeDefinition& definition) {
  auto* item = new QTreeWidgetItem(QStringList{QString::fromUtf8(definition.text)});
  item->setData(0, kKeyRole, QString::fromLatin1(definition.key));
  return item;
}

}  // namespace

std::string FolderOf(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

frmSet::frmSet(UiContext& context, std::function<void()> connectToggle, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_connectToggle(std::move(connectToggle)) {
  setObjectName(QStringLiteral("frmSet"));
  setWindowTitle(QStringLiteral("設定"));
  m_tree = new QTreeWidget(this);
  m_tree->setObjectName(QStringLiteral("tvwImageList"));
  m_tree->header()->hide();
  m_tree->setFixedWidth(210);
  buildPages();
  buildButtons();
  auto* top = new QHBoxLayout;
  top->addWidget(m_tree);
  top->addWidget(findControl<QWidget>(*this, "PageArea"), 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(findControl<QWidget>(*this, "ButtonRow"));
  resize(760, 500);
  buildTree();
  connectHandlers();
  setupNumberBoxes();
  connectButtons();
  connectEditors();
  FillLists();
  GetTBL(false);
  centreOnScreen(*this);
}

frmSet::~frmSet() = default;

void frmSet::buildTree() {
  auto* root = new QTreeWidgetItem(QStringList{QStringLiteral("設定")});
  root->setData(0, kKeyRole, QStringLiteral("MAINS"));
  m_tree->addTopLevelItem(root);
  for (const auto& definition : kNodes) {
    if (auto* parent = node(QString::fromLatin1(definition.parent))) parent->addChild(makeNode(definition));
  }
  for (const auto& definition : kNodes) {
    auto* page = findControl<QGroupBox>(*this, std::string("fra") + definition.key);
    if (page != nullptr) page->setTitle(QString::fromUtf8(definition.text));
  }
  if (auto* page = findControl<QGroupBox>(*this, "fraSPC_1")) page->setTitle(QString::fromUtf8(kEanNode.text));
  root->setExpanded(true);
  connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    // A box that failed its leave check keeps its page, so that it can keep the focus.
    if (m_guard != nullptr && m_guard->holdsRejectedValue() && previous != nullptr) {
      const QSignalBlocker quiet(m_tree);
      m_tree->setCurrentItem(previous);
      return;
    }
    HideAllPages();
    if (current != nullptr) {
      if (auto* page = findControl<QWidget>(*this, "fra" + str(current->data(0, kKeyRole).toString()))) page->show();
    }
  });
}

void frmSet::buildButtons() {
  auto* row = new QWidget(this);
  row->setObjectName(QStringLiteral("ButtonRow"));
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  const std::pair<const char*, const char*> buttons[] = {
      {"DefaultCmd", "規定値"}, {"cmdOK", "OK"}, {"cmdOKConnect", "設定＆ 接続"}, {"cmdCancel", "ｷｬﾝｾﾙ"}};
  for (const auto& [name, caption] : buttons) {
    auto* button = new QPushButton(QString::fromUtf8(caption), row);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    if (std::string_view(name) == "DefaultCmd") layout->addStretch(1);
  }
}

QTreeWidgetItem* frmSet::node(const QString& key) const {
  for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
    if ((*it)->data(0, kKeyRole).toString() == key) return *it;
  }
  return nullptr;
}

void frmSet::HideAllPages() {
  for (auto* page : findChildren<QGroupBox*>()) {
    if (page->objectName().startsWith(QStringLiteral("fra"))) page->hide();
  }
}

void frmSet::showPage(const QString& key) {
  HideAllPages();
  if (auto* item = node(key)) m_tree->setCurrentItem(item);
  if (auto* page = findControl<QWidget>(*this, "fra" + str(key))) page->show();
}

void frmSet::FillLists() {
  for (const auto name : listControlNames()) {
    auto* list = findControl<QWidget>(*this, name);
    if (list == nullptr) continue;
    const bool ports = name == "PortCmb";
    const auto stable = ports ? stablePortChoices() : std::array<std::string, kPortEntryCount>{};
    const QStringList entries = !ports                     ? listEntries(name)
                                : m_ctx.systemSerialPorts ? portEntries(m_ctx.paths.ini(), m_ctx.systemSerialPorts())
                                                          : portEntries(m_ctx.paths.ini(), stable);
    if (auto* combo = qobject_cast<QComboBox*>(list)) {
      combo->clear();
      combo->addItems(entries);
      // OK stores the stable name of the chosen entry under its number.
      if (ports) {
        for (int i = 0; i < kPortEntryCount; ++i) combo->setItemData(i, qs(stable[static_cast<std::size_t>(i)]));
      }
    } else if (auto* box = qobject_cast<QListWidget*>(list)) {
      box->clear();
      box->addItems(entries);
    }
    // A freshly filled list has no selection until GetTBL chooses one.
    setListIndex(*list, -1);
  }
}

std::array<std::string, kPortEntryCount> frmSet::stablePortChoices() const {
  if (!m_ctx.stableSerialNames) return {};
  const int inUse = text::parseInteger(m_ctx.configuration.settings.get(settings::Setting::Port)).value_or(0);
  return stablePortNames(m_ctx.paths.ini(), m_ctx.stableSerialNames(), inUse);
}

void frmSet::onEANChkChanged(bool checked) {
  auto* parent = node(QStringLiteral("SPC_0"));
  auto* existing = node(QStringLiteral("SPC_1"));
  if (checked && existing == nullptr && parent != nullptr) {
    parent->addChild(makeNode(kEanNode));
  } else if (!checked && existing != nullptr) {
    if (m_tree->currentItem() == existing) m_tree->setCurrentItem(parent);
    delete existing;
  }
  setEnabledAll(*this,
                {"EANNoAIChk", "EANBracketAIChk", "EANAIChk", "EANStartCDTxt", "EANStartCDLbl", "EANStartCDNoteLbl",
                 "EANDateChk", "EANDecimalChk", "EANSortChk", "EANSeparateCmb", "EANSeparateLbl", "EANSymbologyChk",
                 "EANDigitalLinkChk", "EANCheckCmb", "EANCheckLbl"},
                checked);
}

void frmSet::connectButtons() {
  const auto on = [this](std::string_view name, auto handler) {
    auto* button = findControl<QPushButton>(*this, name);
    if (button == nullptr) return;
    connect(button, &QPushButton::clicked, this, [this, name, handler] {
      // A failure ends the click as a report of its own; it never leaves the slot.
      try {
        handler();
      } catch (const std::exception& failure) {
        m_ctx.reporter.report(std::string(name) + "_Click", failure);
      }
    });
  };
  on("cmdOK", [this] { cmdOK_Click(); });
  on("cmdOKConnect", [this] { cmdOKConnect_Click(); });
  on("cmdCancel", [this] { reject(); });
  on("DefaultCmd", [this] { DefaultCmd_Click(); });
  on("FileCmd", [this] { FileCmd_Click(); });
  on("KeyHeadCmd", [this] { appendKeyPick("KBHeadTxt"); });
  on("KeyFootCmd", [this] { appendKeyPick("KBFootTxt"); });
}

bool frmSet::fileNameMissing() {
  if (!isChecked(*this, "FileChk")) return false;
  if (!findControl<QLineEdit>(*this, "FilePathTxt")->text().isEmpty()) return false;
  m_ctx.messages().show(platform::MessageIcon::Warning, kCheckTitle, "ファイル名を入力してください");
  showFilePage();
  return true;
}

void frmSet::showFilePage() {
  showPage(QStringLiteral("FIL_0"));
  findControl<QLineEdit>(*this, "FilePathTxt")->setFocus();
}

void frmSet::cmdOK_Click() {
  if (m_guard->holdsRejectedValue() || fileNameMissing()) return;
  if (isChecked(*this, "FileChk")) {
    const std::string path = str(findControl<QLineEdit>(*this, "FilePathTxt")->text());
    // A relative name is written under the program folder, so its folder is looked for there.
    std::filesystem::path folder = FolderOf(path);
    if (std::filesystem::path(path).is_relative()) folder = m_ctx.paths.dir / folder;
    if (!report::FileExists(folder, report::kAttrDirectory)) {
      m_ctx.messages().show(platform::MessageIcon::Warning, kCheckTitle, "指定されたフォルダが存在しません");
      showFilePage();
      return;
    }
  }
  SetTBL();
  accept();
}

void frmSet::cmdOKConnect_Click() {
  if (m_guard->holdsRejectedValue() || fileNameMissing()) return;
  SetTBL();
  accept();
  if (m_connectToggle) m_connectToggle();
}

void frmSet::DefaultCmd_Click() {
  FillLists();
  GetTBL(true);
}

void frmSet::FileCmd_Click() {
  const QString chosen = m_ctx.modals.openFileName(this, QStringLiteral("開く"), QStringLiteral("全てのﾌｧｲﾙ (*)"),
                                                   QString::fromStdString(m_ctx.paths.dir.string()));
  if (!chosen.isEmpty()) findControl<QLineEdit>(*this, "FilePathTxt")->setText(chosen);
}

void frmSet::appendKeyPick(const char* textBox) {
  appendPick(m_ctx, PickerKind::Key, *findControl<QLineEdit>(*this, textBox), this);
}

}  // namespace orbelin::ui
