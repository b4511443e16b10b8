#pragma once

#include <QIcon>
#include <QSystemTrayIcon>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/MainWindow.h"
#include "platform/TrayIcon.h"
#include "platform/WindowActivation.h"
#include "settings/Settings.h"

class QMenu;
class QPushButton;

namespace orbelin::ui {

class frmHexDump;

/// What the main window's commands do in the rest of the program.
struct MainWindowActions {
  std::function<bool()> portOpen;
  /// The connect toggle (SetuzokuCmd_Click of the connection).
  std::function<void()> connectToggle;
  /// Shows the settings dialog without blocking.
  std::function<void()> openSettings;
  /// Shows the About box without blocking.
  std::function<void()> openAbout;
  /// Puts the start-up shortcut in place; failures stay silent.
  std::function<void()> createShortcut;
  /// "終了": disconnect if open, then unload.
  std::function<void()> exitProgram;
  /// The window was closed: unload.
  std::function<void()> unload;
};

/// The pop-up menu's entry ids.
enum class MenuId { None = 0, Connect = 1, Settings = 3, Monitor = 4, Help = 5, Shortcut = 7, Exit = 9, Cancel = 10 };

/// The tip field holds 63 characters and a terminator; longer captions are cut.
inline constexpr int kTipLength = 63;
QString cutTip(const QString& caption);

/// The main window: four buttons, the status caption and the notification-area icon
/// with its pop-up menu. It lives minimised, hidden too when Task is "1" and the desktop
/// has a notification area.
class frmQELTMain : public QWidget,
                    public platform::MainWindow,
                    public platform::TrayIcon,
                    public platform::WindowActivation {
  Q_OBJECT
 public:
  /// Runs the menu at a screen position and returns the chosen id (None when dismissed).
  using MenuRunner = std::function<MenuId(QMenu& menu, const QPoint& at)>;

  /// trayAvailable: a notification area exists; statusNotifierHost: its host reports
  /// left clicks but no double clicks.
  frmQELTMain(const settings::Settings& settings, frmHexDump& monitor, bool trayAvailable, bool statusNotifierHost,
              QWidget* parent = nullptr);
  ~frmQELTMain() override;

  void setActions(MainWindowActions actions) { m_actions = std::move(actions); }
  void setMenuRunner(MenuRunner runner) { m_runMenu = std::move(runner); }
  void setShiftReader(std::function<bool()> reader) { m_shiftDown = std::move(reader); }

  void setCaption(std::string_view caption) override;
  std::string caption() const override { return m_caption; }
  void setConnectButtonText(std::string_view text) override;
  void minimize() override;
  void setIcon(platform::IconState state, std::string_view tip) override;
  void remove() override;
  void showNormalAndFocus() override;

  /// The state and tip the icon shows now.
  platform::IconState iconState() const { return m_iconState; }
  QString iconTip() const { return m_tip; }

  /// An event of the notification-area icon.
  void iconActivated(QSystemTrayIcon::ActivationReason reason);
  /// The pop-up menu as it stands now, built anew for each opening.
  std::unique_ptr<QMenu> buildMenu();
  /// Carries out the menu entry id.
  void runMenuEntry(MenuId id);

  void HexCmd_Click();
  void SetteiCmd_Click();
  void HelpCmd_Click();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void onMinimised();
  bool hidesWhenMinimised() const;
  void run(const std::function<void()>& action);

  const settings::Settings& m_settings;
  frmHexDump& m_monitor;
  bool m_trayAvailable;
  bool m_statusNotifierHost;
  MainWindowActions m_actions;
  MenuRunner m_runMenu;
  std::function<bool()> m_shiftDown;
  std::unique_ptr<QSystemTrayIcon> m_tray;
  QPushButton* m_connectButton = nullptr;
  std::string m_caption;
  QString m_tip;
  platform::IconState m_iconState = platform::IconState::Disconnected;
  /// The three status icons, drawn once: a new icon for every change would leave its
  /// pixmaps behind in Qt's caches, two per record for as long as the program runs.
  std::array<QIcon, 3> m_icons;
  bool m_menuOpen = false;
};

}  // namespace orbelin::ui
