#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <string>

#include "settings/Settings.h"
#include "ui/shell/frmHexDump.h"
#include "ui/shell/frmQELTMain.h"

namespace orbelin::ui {
namespace {

using settings::Setting;

/// A main window whose actions write what they did into a log.
struct Shell {
  explicit Shell(bool tray = true, bool sni = false) : window(settings, monitor, tray, sni) {
    window.setActions(MainWindowActions{
        [this] { return open; },
        [this] {
          log += "toggle,";
          open = !open;
        },
        [this] { log += "settings,"; },
        [this] { log += "about,"; },
        [this] { log += "shortcut,"; },
        [this] { log += "exit,"; },
        [this] { log += "unload,"; },
    });
    window.setShiftReader([this] { return shift; });
    window.setMenuRunner([this](QMenu& menu, const QPoint&) {
      ++menusShown;
      for (QAction* action : menu.actions()) {
        if (action->text() == choice) return static_cast<MenuId>(action->data().toInt());
      }
      return MenuId::None;
    });
  }

  settings::Settings settings = settings::Settings::defaults();
  frmHexDump monitor;
  frmQELTMain window;
  bool open = false;
  bool shift = false;
  QString choice;
  int menusShown = 0;
  std::string log;
};

TEST(MainWindow, MenuHasItsEntriesIdsAndSeparatorsInOrder) {
  for (const bool open : {false, true}) {
    Shell shell;
    shell.open = open;
    const auto menu = shell.window.buildMenu();
    QStringList entries;
    for (const QAction* action : menu->actions()) {
      entries << (action->isSeparator() ? QStringLiteral("-") : action->text() + ":" + action->data().toString());
    }
    const QString first = open ? QStringLiteral("切断:1") : QStringLiteral("接続:1");
    EXPECT_EQ(entries, (QStringList{first, "-", "設定:3", "モニタ表示:4", "ヘルプ:5", "-",
                                    "ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄ作成:7", "-", "終了:9", "キャンセル:10"}));
  }
}

struct MenuCase {
  const char* entry;
  bool open;
  const char* log;
};

TEST(MainWindow, MenuEntriesRunTheirActions) {
  const MenuCase cases[] = {
      {"接続", false, "toggle,"},         {"切断", true, "toggle,"},
      {"設定", false, "settings,"},       {"設定", true, "toggle,settings,"},
      {"ヘルプ", true, "toggle,about,"},  {"ヘルプ", false, "about,"},
      {"ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄ作成", false, "shortcut,"},
      {"終了", true, "exit,"},            {"キャンセル", true, ""},
      {"", true, ""},  // clicked outside the menu
  };
  for (const MenuCase& row : cases) {
    Shell shell;
    shell.open = row.open;
    shell.choice = QString::fromUtf8(row.entry);
    shell.window.iconActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(shell.menusShown, 1) << row.entry;
    EXPECT_EQ(shell.log, row.log) << row.entry;
  }
}

TEST(MainWindow, MonitorEntryShowsTheMonitorOnItsTextView) {
  Shell shell;
  shell.choice = QStringLiteral("モニタ表示");
  shell.monitor.HexCmd_Click();
  shell.window.iconActivated(QSystemTrayIcon::DoubleClick);
  EXPECT_TRUE(shell.monitor.isVisible());
  EXPECT_TRUE(shell.monitor.findChild<QWidget*>("SendTxt")->isVisibleTo(&shell.monitor));
  EXPECT_FALSE(shell.monitor.findChild<QWidget*>("HexTxt")->isVisibleTo(&shell.monitor));
}

struct ClickCase {
  const char* taskShift;
  bool shift;
  QSystemTrayIcon::ActivationReason reason;
  bool statusNotifierHost;
  int menus;
};

TEST(MainWindow, IconOpensTheMenuOnlyOnDoubleClickAndWithShiftWhenLocked) {
  const ClickCase cases[] = {
      {"0", false, QSystemTrayIcon::DoubleClick, false, 1},
      {"1", false, QSystemTrayIcon::DoubleClick, false, 0},
      {"1", true, QSystemTrayIcon::DoubleClick, false, 1},
      {"0", false, QSystemTrayIcon::Trigger, false, 0},
      {"0", false, QSystemTrayIcon::Context, false, 0},
      {"0", false, QSystemTrayIcon::Trigger, true, 1},
      {"1", false, QSystemTrayIcon::Trigger, true, 0},
      {"1", true, QSystemTrayIcon::Trigger, true, 1},
      {"0", false, QSystemTrayIcon::Context, true, 0},
  };
  for (const ClickCase& row : cases) {
    Shell shell(true, row.statusNotifierHost);
    shell.settings.set(Setting::TaskShift, row.taskShift);
    shell.shift = row.shift;
    shell.window.iconActivated(row.reason);
    EXPECT_EQ(shell.menusShown, row.menus) << row.taskShift << row.shift << row.reason << row.statusNotifierHost;
  }
}

TEST(MainWindow, IconDoesNothingWhileTheWindowIsShownNormally) {
  Shell shell;
  shell.window.showNormal();
  shell.window.iconActivated(QSystemTrayIcon::DoubleClick);
  EXPECT_EQ(shell.menusShown, 0);
}

struct HideCase {
  bool tray;
  const char* task;
  bool visible;
};

TEST(MainWindow, MinimisingHidesTheWindowOnlyWithTaskAndANotificationArea) {
  const HideCase cases[] = {{true, "1", false}, {true, "0", true}, {false, "1", true}, {false, "0", true}};
  for (const HideCase& row : cases) {
    Shell shell(row.tray);
    shell.settings.set(Setting::Task, row.task);
    shell.window.showNormal();
    shell.window.minimize();
    EXPECT_EQ(shell.window.isVisible(), row.visible) << row.tray << row.task;
    EXPECT_TRUE(shell.window.isMinimized() || !shell.window.isVisible());
  }
}

TEST(MainWindow, MinimisingShowsThePortStateInTheIcon) {
  Shell shell;
  shell.window.setCaption("接続中:[      ABCD]");
  shell.open = true;
  shell.window.minimize();
  EXPECT_EQ(shell.window.iconState(), platform::IconState::Connected);
  EXPECT_EQ(shell.window.iconTip(), QStringLiteral("接続中:[      ABCD]"));
  shell.open = false;
  shell.window.minimize();
  EXPECT_EQ(shell.window.iconState(), platform::IconState::Disconnected);
}

TEST(MainWindow, CaptionButtonsAndTip) {
  Shell shell;
  EXPECT_EQ(shell.window.caption(), "COM");
  EXPECT_EQ(shell.window.windowTitle(), QStringLiteral("COM"));
  const std::pair<const char*, const char*> buttons[] = {
      {"SetuzokuCmd", "未接続"}, {"HexCmd", "ヘキサ表示"}, {"SetteiCmd", "設定"}, {"HelpCmd", "ヘルプ"}};
  for (const auto& [name, text] : buttons) {
    const auto* button = shell.window.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->text(), QString::fromUtf8(text));
  }
  shell.window.setConnectButtonText("接続中");
  EXPECT_EQ(shell.window.findChild<QPushButton*>("SetuzokuCmd")->text(), QStringLiteral("接続中"));
  shell.window.setCaption("未接続:[ＡＢＣ]");
  EXPECT_EQ(shell.window.windowTitle(), QStringLiteral("未接続:[ＡＢＣ]"));
}

TEST(MainWindow, TipIsCutToSixtyThreeCharacters) {
  Shell shell;
  const std::string caption = "接続中:[" + std::string(70, 'A') + "]";
  shell.window.setIcon(platform::IconState::Busy, caption);
  EXPECT_EQ(shell.window.iconTip().size(), kTipLength);
  EXPECT_EQ(shell.window.iconTip(), QString::fromUtf8(caption).left(kTipLength));
  EXPECT_EQ(shell.window.iconState(), platform::IconState::Busy);
  // An emoji at the cut is dropped whole rather than split in half.
  const QString emoji = QString(62, 'x') + QString::fromUtf8("😀") + "tail";
  EXPECT_EQ(cutTip(emoji), QString(62, 'x'));
}

TEST(MainWindow, ButtonsRunTheirCommandsAndCloseUnloads) {
  Shell shell;
  shell.open = true;
  shell.window.findChild<QPushButton*>("SetuzokuCmd")->click();
  shell.window.findChild<QPushButton*>("SetteiCmd")->click();
  shell.open = true;
  shell.window.findChild<QPushButton*>("HelpCmd")->click();
  shell.window.findChild<QPushButton*>("HexCmd")->click();
  EXPECT_TRUE(shell.monitor.isVisible());
  shell.window.close();
  EXPECT_EQ(shell.log, "toggle,settings,toggle,about,unload,");
}

}  // namespace
}  // namespace orbelin::ui
