#include "ui/shell/frmQELTMain.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

#include "ui/QtText.h"
#include "ui/shell/StatusIcons.h"
#include "ui/shell/frmHexDump.h"

namespace orbelin::ui {
namespace {

struct MenuEntry {
  MenuId id;
  const char* text;  // nullptr: a separator
};

constexpr MenuEntry kMenuTail[] = {
    {MenuId::None, nullptr},         {MenuId::Settings, "設定"}, {MenuId::Monitor, "モニタ表示"},
    {MenuId::Help, "ヘルプ"},        {MenuId::None, nullptr},    {MenuId::Shortcut, "ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄ作成"},
    {MenuId::None, nullptr},         {MenuId::Exit, "終了"},     {MenuId::Cancel, "キャンセル"},
};

MenuId execMenu(QMenu& menu, const QPoint& at) {
  const QAction* chosen = menu.exec(at);
  return chosen == nullptr ? MenuId::None : static_cast<MenuId>(chosen->data().toInt());
}

bool shiftHeld() { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); }

}  // namespace

QString cutTip(const QString& caption) {
  if (caption.size() <= kTipLength) return caption;
  // Never leave half of a surrogate pair at the end.
  const qsizetype length = caption.at(kTipLength - 1).isHighSurrogate() ? kTipLength - 1 : kTipLength;
  return caption.left(length);
}

frmQELTMain::frmQELTMain(const settings::Settings& settings, frmHexDump& monitor, bool trayAvailable,
                         bool statusNotifierHost, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_monitor(monitor), m_trayAvailable(trayAvailable),
      m_statusNotifierHost(statusNotifierHost), m_runMenu(execMenu), m_shiftDown(shiftHeld) {
  setObjectName(QStringLiteral("frmQELTMain"));
  for (const auto state : {platform::IconState::Connected, platform::IconState::Disconnected, platform::IconState::Busy}) {
    m_icons[static_cast<std::size_t>(state)] = statusIcon(state);
  }
  buildControls();
  setCaption("COM");
  setWindowIcon(m_icons[static_cast<std::size_t>(m_iconState)]);
  setWindowState(Qt::WindowMinimized);
  m_monitor.hide();
  if (m_trayAvailable) {
    m_tray = std::make_unique<QSystemTrayIcon>(m_icons[static_cast<std::size_t>(m_iconState)]);
    connect(m_tray.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { iconActivated(reason); });
  }
}

frmQELTMain::~frmQELTMain() = default;

void frmQELTMain::buildControls() {
  auto* layout = new QHBoxLayout(this);
  const std::pair<const char*, const char*> buttons[] = {
      {"SetuzokuCmd", "未接続"}, {"HexCmd", "ヘキサ表示"}, {"SetteiCmd", "設定"}, {"HelpCmd", "ヘルプ"}};
  const std::function<void()> handlers[] = {[this] { run(m_actions.connectToggle); }, [this] { HexCmd_Click(); },
                                            [this] { SetteiCmd_Click(); }, [this] { HelpCmd_Click(); }};
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    auto* button = new QPushButton(QString::fromUtf8(buttons[i].second), this);
    button->setObjectName(QString::fromLatin1(buttons[i].first));
    connect(button, &QPushButton::clicked, this, handlers[i]);
    layout->addWidget(button);
    if (i == 0) m_connectButton = button;
  }
}

void frmQELTMain::run(const std::function<void()>& action) {
  // No exception may leave a Qt slot; the engine reports its own failures.
  try {
    if (action) action();
  } catch (...) {
  }
}

void frmQELTMain::setCaption(std::string_view caption) {
  m_caption = std::string(caption);
  setWindowTitle(qs(caption));
}

void frmQELTMain::setConnectButtonText(std::string_view text) { m_connectButton->setText(qs(text)); }

bool frmQELTMain::hidesWhenMinimised() const {
  // Without a notification area a hidden window could never be reached again.
  return m_trayAvailable && m_settings.get(settings::Setting::Task) == "1";
}

void frmQELTMain::minimize() {
  setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
  if (!hidesWhenMinimised()) showMinimized();
  onMinimised();
}

void frmQELTMain::onMinimised() {
  const bool open = m_actions.portOpen && m_actions.portOpen();
  setIcon(open ? platform::IconState::Connected : platform::IconState::Disconnected, m_caption);
  if (hidesWhenMinimised()) hide();
}

void frmQELTMain::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized() && isVisible()) onMinimised();
}

void frmQELTMain::closeEvent(QCloseEvent* event) {
  event->accept();
  run(m_actions.unload);
}

void frmQELTMain::setIcon(platform::IconState state, std::string_view tip) {
  const bool changed = state != m_iconState;
  m_iconState = state;
  m_tip = cutTip(qs(tip));
  const QIcon& icon = m_icons[static_cast<std::size_t>(state)];
  if (changed) setWindowIcon(icon);
  if (!m_tray) return;
  if (changed) m_tray->setIcon(icon);
  m_tray->setToolTip(m_tip);
  m_tray->show();
}

void frmQELTMain::remove() {
  if (m_tray) m_tray->hide();
}

void frmQELTMain::showNormalAndFocus() {
  showNormal();
  raise();
  activateWindow();
}

void frmQELTMain::iconActivated(QSystemTrayIcon::ActivationReason reason) {
  const bool shift = m_shiftDown && m_shiftDown();
  if (!isHidden() && !isMinimized()) return;
  const bool opens = reason == QSystemTrayIcon::DoubleClick ||
                     (m_statusNotifierHost && reason == QSystemTrayIcon::Trigger);
  if (!opens || m_menuOpen) return;
  if (m_settings.get(settings::Setting::TaskShift) != "0" && !shift) return;
  const auto menu = buildMenu();
  m_menuOpen = true;
  const MenuId chosen = m_runMenu(*menu, QCursor::pos());
  m_menuOpen = false;
  runMenuEntry(chosen);
}

std::unique_ptr<QMenu> frmQELTMain::buildMenu() {
  auto menu = std::make_unique<QMenu>();
  menu->setObjectName(QStringLiteral("TrayMenu"));
  const bool open = m_actions.portOpen && m_actions.portOpen();
  menu->addAction(QString::fromUtf8(open ? "切断" : "接続"))->setData(static_cast<int>(MenuId::Connect));
  for (const MenuEntry& entry : kMenuTail) {
    if (entry.text == nullptr) {
      menu->addSeparator();
    } else {
      menu->addAction(QString::fromUtf8(entry.text))->setData(static_cast<int>(entry.id));
    }
  }
  return menu;
}

void frmQELTMain::runMenuEntry(MenuId id) {
  switch (id) {
    case MenuId::Connect: run(m_actions.connectToggle); break;
    case MenuId::Settings: SetteiCmd_Click(); break;
    case MenuId::Monitor: HexCmd_Click(); break;
    case MenuId::Help: HelpCmd_Click(); break;
    case MenuId::Shortcut: run(m_actions.createShortcut); break;
    case MenuId::Exit: run(m_actions.exitProgram); break;
    case MenuId::Cancel:
    case MenuId::None: break;
  }
}

void frmQELTMain::HexCmd_Click() {
  m_monitor.show();
  m_monitor.raise();
  m_monitor.TEXTCmd_Click();
}

void frmQELTMain::SetteiCmd_Click() {
  if (m_actions.portOpen && m_actions.portOpen()) run(m_actions.connectToggle);
  run(m_actions.openSettings);
}

void frmQELTMain::HelpCmd_Click() {
  if (m_actions.portOpen && m_actions.portOpen()) run(m_actions.connectToggle);
  run(m_actions.openAbout);
}

}  // namespace orbelin::ui
