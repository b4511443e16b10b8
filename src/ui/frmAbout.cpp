#include "ui/frmAbout.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Controls.h"
#include "ui/QtText.h"

#ifndef ORBELIN_VERSION_MAJOR
#error "the build passes the program version"
#endif

namespace orbelin::ui {

namespace {

constexpr std::string_view kTitle = "ﾊﾞｰｼﾞｮﾝ情報 Orbelin";

QLabel* addLabel(QWidget& window, QLayout& layout, const char* name, const QString& text) {
  auto* label = new QLabel(text, &window);
  label->setObjectName(QString::fromLatin1(name));
  layout.addWidget(label);
  return label;
}

}  // namespace

ProgramVersion builtVersion() {
  return {ORBELIN_VERSION_MAJOR, ORBELIN_VERSION_MINOR, ORBELIN_VERSION_PATCH, ORBELIN_RELEASE_DATE,
          ORBELIN_SPDX_LICENSE};
}

frmAbout::frmAbout(const ProgramVersion& version, const AboutFolders& folders, platform::MessageBox& messages,
                   DesktopTools& tools, QWidget* parent)
    : QDialog(parent), m_shippedDir(folders.shipped), m_messages(messages), m_tools(tools) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(qs(kTitle));
  auto* layout = new QVBoxLayout(this);
  addLabel(*this, *layout, "lblTitle", QStringLiteral("Orbelin"));
  addLabel(*this, *layout, "lblVersion",
           QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3β").arg(version.major).arg(version.minor).arg(version.revision));
  addLabel(*this, *layout, "lblUpdate",
           QStringLiteral("更新日：") + qs(version.releaseDate).replace(QLatin1Char('-'), QLatin1Char('/')));
  if (!version.licence.empty()) {
    addLabel(*this, *layout, "lblLicense", QStringLiteral("ライセンス：") + qs(version.licence));
  }
  // Settings, logs and the marker files other programs create live here; the user has to
  // know where, now that an installed program keeps them in a folder of its own.
  if (!folders.program.isEmpty()) {
    auto* folder = addLabel(*this, *layout, "lblFolder", QStringLiteral("データフォルダ：") + folders.program);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  connect(addButton(*this, *buttons, "cmdSysInfo", "ｼｽﾃﾑ情報(&S)..."), &QPushButton::clicked, this,
          [this] { StartSysInfo(); });
  connect(addButton(*this, *buttons, "HelpCmd", "ヘルプ"), &QPushButton::clicked, this, [this] { HelpCmd_Click(); });
  connect(addButton(*this, *buttons, "cmdOK", "OK"), &QPushButton::clicked, this, &QDialog::accept);
  adjustSize();
  centreOnScreen(*this);
}

void frmAbout::StartSysInfo() {
  const auto tool = m_tools.systemInfoTool();
  if (tool && m_tools.start(*tool)) return;
  m_messages.show(platform::MessageIcon::None, "Orbelin", "現時点ではｼｽﾃﾑ情報を使用できません");
}

void frmAbout::HelpCmd_Click() {
  const QString help = QDir(m_shippedDir).filePath(QString::fromLatin1(kHelpFileName));
  if (!QFileInfo(help).isFile()) {
    m_messages.show(platform::MessageIcon::Information, kTitle,
                    "ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。");
    return;
  }
  if (!m_tools.openDocument(help)) {
    m_messages.show(platform::MessageIcon::None, "Orbelin", "ヘルプを表示できませんでした: " + str(help));
  }
}

}  // namespace orbelin::ui
