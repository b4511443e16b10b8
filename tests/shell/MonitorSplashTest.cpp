#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <sstream>

#include "serial/HexDump.h"
#include "platform/posix/AutostartEntry.h"
#include "ui/shell/frmHexDump.h"
#include "ui/shell/frmSplash.h"
#include "support/TempDir.h"

namespace orbelin::ui {
namespace {

using platform::posix::autostartEntryText;
using platform::posix::writeAutostartEntry;

QString boxText(const QWidget& window, const char* name) {
  return window.findChild<QPlainTextEdit*>(name)->toPlainText();
}

TEST(Monitor, ShowsTheDumpAsTextAndHexWithRulers) {
  frmHexDump monitor;
  EXPECT_EQ(monitor.windowTitle(), QStringLiteral("モニタ表示"));
  serial::HexDump dump;
  dump.setView(&monitor);
  dump.DispHexDump("AB\r\n");
  dump.DispHexDump("ア");
  EXPECT_EQ(boxText(monitor, "HexTxt"), QStringLiteral("41 42 0D 0A \n83 41 \n"));
  EXPECT_EQ(boxText(monitor, "SendTxt"), QStringLiteral("AB<C R><L F>\nア\n"));
  EXPECT_EQ(boxText(monitor, "GageYText"), QStringLiteral("01 \n02 "));
  const QString ruler = monitor.findChild<QLineEdit*>("GageXText")->text();
  EXPECT_TRUE(ruler.startsWith(QStringLiteral("01 02 03 ")));
  EXPECT_TRUE(ruler.endsWith(QStringLiteral(" 29 30")));
}

struct ViewCase {
  const char* button;
  std::vector<const char*> shown;
};

TEST(Monitor, EachViewButtonShowsOnlyItsBoxes) {
  const char* const boxes[] = {"SendTxt", "HexTxt", "GageXText", "GageYText", "EANTestTxt"};
  const ViewCase cases[] = {{"TEXTCmd", {"SendTxt"}},
                            {"HexCmd", {"HexTxt", "GageXText", "GageYText"}},
                            {"BarcodeCmd", {"EANTestTxt"}}};
  frmHexDump monitor;
  monitor.show();
  for (const ViewCase& row : cases) {
    monitor.findChild<QPushButton*>(row.button)->click();
    for (const char* box : boxes) {
      const bool expected = std::find(row.shown.begin(), row.shown.end(), std::string_view(box)) != row.shown.end();
      EXPECT_EQ(monitor.findChild<QWidget*>(box)->isVisible(), expected) << row.button << " " << box;
    }
  }
}

TEST(Monitor, ResetEmptiesTheViewsAndTheDumpAndCloseOnlyHides) {
  frmHexDump monitor;
  serial::HexDump dump;
  dump.setView(&monitor);
  monitor.setClearHandler([&dump] { dump.clearViews(); });
  dump.DispHexDump("12");
  monitor.setBarcodeInfo("(01)04912345678904");
  monitor.findChild<QPushButton*>("ClearCmd")->click();
  for (const char* box : {"SendTxt", "HexTxt", "EANTestTxt"}) EXPECT_TRUE(boxText(monitor, box).isEmpty()) << box;
  dump.DispHexDump("3");
  EXPECT_EQ(boxText(monitor, "SendTxt"), QStringLiteral("3\n"));

  monitor.show();
  monitor.close();
  EXPECT_FALSE(monitor.isVisible());
  EXPECT_EQ(boxText(monitor, "SendTxt"), QStringLiteral("3\n"));
  monitor.show();
  monitor.findChild<QPushButton*>("CloseCmd")->click();
  EXPECT_FALSE(monitor.isVisible());
}

TEST(Splash, ShowsItsTextsAndTheSteps) {
  SplashWaitView view;
  view.show();
  frmSplash& splash = *view.window();
  EXPECT_EQ(splash.findChild<QLabel*>("Label1")->text(), QStringLiteral("Orbelin を起動するまでに待機しています。"));
  EXPECT_EQ(splash.findChild<QLabel*>("Label2")->text(), QStringLiteral("クリックで、待機終了します。"));
  EXPECT_EQ(splash.findChild<QLabel*>("Label3")->text(), QStringLiteral("0/0"));
  view.setProgressRange(0, 6);
  view.setProgress(3);
  view.setLabel("1500 / 3000");
  EXPECT_EQ(splash.findChild<QProgressBar*>("ProgressBar1")->value(), 3);
  EXPECT_EQ(splash.findChild<QProgressBar*>("ProgressBar1")->maximum(), 6);
  EXPECT_EQ(splash.findChild<QLabel*>("Label3")->text(), QStringLiteral("1500 / 3000"));
  EXPECT_FALSE(view.abortRequested());
  view.close();
  EXPECT_EQ(view.window(), nullptr);
  EXPECT_FALSE(view.abortRequested());
}

TEST(Splash, KeyPressOrClickOnTheFrameAbortsTheWait) {
  for (const bool byKey : {true, false}) {
    SplashWaitView view;
    view.show();
    if (byKey) {
      QTest::keyClick(view.window(), Qt::Key_Space);
    } else {
      QTest::mouseClick(view.window()->findChild<QWidget*>("Frame1"), Qt::LeftButton);
    }
    EXPECT_TRUE(view.abortRequested()) << byKey;
  }
}

TEST(Autostart, EntryStartsTheProgramWithItsFolderQuoted) {
  EXPECT_EQ(*autostartEntryText("/opt/orbelin/orbelin", std::nullopt),
            "[Desktop Entry]\nType=Application\nName=Orbelin\nExec=\"/opt/orbelin/orbelin\"\nTerminal=false\n");
  const auto text = autostartEntryText("/opt/a b/orbelin", std::filesystem::path("/data/100% \"$x\\y\""));
  EXPECT_NE(text->find("Exec=\"/opt/a b/orbelin\" --dir \"/data/100%% \\\\\"\\\\$x\\\\\\\\y\\\\\"\"\n"),
            std::string::npos)
      << *text;
  EXPECT_FALSE(autostartEntryText("/opt/bad\nline/orbelin", std::nullopt));
}

TEST(Autostart, WritesAndOverwritesTheEntryAndFailsQuietly) {
  test::TempDir dir;
  const auto folder = dir.path() / "config" / "autostart";
  ASSERT_TRUE(writeAutostartEntry(folder, "/old/orbelin", std::nullopt));
  ASSERT_TRUE(writeAutostartEntry(folder, "/new/orbelin", std::nullopt));
  std::ifstream file(folder / "Orbelin.desktop");
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_NE(text.str().find("Exec=\"/new/orbelin\""), std::string::npos);
  EXPECT_EQ(text.str().find("/old/"), std::string::npos);
  // A folder under a regular file can never be created.
  std::ofstream(dir.path() / "plain") << "x";
  EXPECT_FALSE(writeAutostartEntry(dir.path() / "plain" / "autostart", "/new/orbelin", std::nullopt));
}

}  // namespace
}  // namespace orbelin::ui
