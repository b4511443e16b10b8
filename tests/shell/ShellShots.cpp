// Takes PNG pictures of the main window, the monitor's three views and the splash:
// orbelin-shell-shots OUTPUT_FOLDER. Run it on a display with a Japanese font.
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <iostream>

#include "serial/HexDump.h"
#include "support/ShotFolder.h"
#include "settings/Settings.h"
#include "ui/shell/frmHexDump.h"
#include "ui/shell/frmQELTMain.h"
#include "ui/shell/frmSplash.h"

namespace {

using namespace orbelin;

/// The window with a title strip showing its caption, as a window manager would draw it.
QPixmap withCaption(QWidget& window) {
  const QPixmap body = window.grab();
  const int strip = window.fontMetrics().height() + 10;
  QPixmap picture(body.width(), body.height() + strip);
  picture.fill(QColor(0xd8, 0xd8, 0xe0));
  QPainter painter(&picture);
  painter.drawText(QRect(8, 0, body.width() - 16, strip), Qt::AlignVCenter, window.windowTitle());
  painter.drawPixmap(0, strip, body);
  return picture;
}

bool save(QWidget& window, const QDir& folder, const char* name) {
  window.show();
  QApplication::processEvents();
  const QString path = folder.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
  if (!withCaption(window).save(path)) {
    std::cerr << "cannot write " << path.toStdString() << "\n";
    return false;
  }
  std::cout << path.toStdString() << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const auto output = test::shotFolder(argc, argv, "orbelin-shell-shots");
  if (!output) return 2;
  const QDir& folder = *output;
  const settings::Settings settings = settings::Settings::defaults();
  ui::frmHexDump monitor;
  serial::HexDump dump;
  dump.setView(&monitor);
  for (const char* chunk : {"\x02" "4912345678904\r", "\x02" "ｵﾙﾍﾞﾘﾝ テスト\r", "\x02" "(01)04912345678904\r"}) {
    dump.DispHexDump(chunk);
  }
  monitor.setBarcodeInfo("(01) 04912345678904\r\n");
  ui::frmQELTMain window(settings, monitor, false, false);
  window.setCaption(serial::statusCaption("接続中", dump.recentText()));
  window.setConnectButtonText("接続中");
  bool ok = true;
  window.showNormal();
  ok &= save(window, folder, "shell-main-window");
  monitor.TEXTCmd_Click();
  ok &= save(monitor, folder, "shell-monitor-text");
  monitor.HexCmd_Click();
  ok &= save(monitor, folder, "shell-monitor-hex");
  monitor.BarcodeCmd_Click();
  ok &= save(monitor, folder, "shell-monitor-barcode");
  ui::SplashWaitView splash;
  splash.show();
  splash.setProgressRange(0, 6);
  splash.setProgress(3);
  splash.setLabel("1500 / 3000");
  ok &= save(*splash.window(), folder, "shell-splash");
  return ok ? 0 : 1;
}
