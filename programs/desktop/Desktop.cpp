#include "desktop/Desktop.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSystemTrayIcon>
#include <cstdio>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

#include "desktop/KeyOutputBackend.h"
#include "desktop/SystemServices.h"
#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "report/WriteLog.h"
#include "app/startup/Engine.h"
#include "app/startup/Program.h"
#include "platform/posix/SystemClock.h"
#include "platform/qtserial/QtEventLoop.h"
#include "platform/SerialPort.h"
#include "platform/qtserial/QtInstanceLock.h"
#include "settings/Configuration.h"
#include "ui/DesktopTools.h"
#include "ui/ModalRunner.h"
#include "ui/QtMessageBox.h"
#include "ui/QtText.h"
#include "ui/UiContext.h"
#include "ui/frmAbout.h"
#include "ui/frmSet.h"
#include "ui/shell/frmHexDump.h"
#include "ui/shell/frmQELTMain.h"
#include "ui/shell/frmSplash.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace orbelin::app {
namespace {

constexpr const char* kNoTrayLog = "通知領域がないため、ウィンドウを最小化したまま表示します。";
constexpr const char* kNoKeyboardText = "キー入力を送信できません。受信したデータは入力されません。";

/// A host of the StatusNotifierItem protocol reports left clicks only.
/// Says without blocking start-up that typing is impossible, and why.
void reportNoKeyboard(const std::string& reason, const report::ProgramPaths& paths, platform::Clock& clock) {
  std::cerr << "orbelin: " << kNoKeyboardText << " (" << reason << ")\n";
  report::WriteLog(std::string(kNoKeyboardText) + " (" + reason + ")", paths.errorLog(), clock);
  auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Orbelin"),
                              ui::qs(kNoKeyboardText) + QStringLiteral("\n") + ui::qs(reason));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
}

/// Says without blocking start-up what typing can reach on this desktop.
void reportKeyboardNotice(const std::string& notice, const report::ProgramPaths& paths, platform::Clock& clock) {
  std::cerr << "orbelin: " << notice << "\n";
  report::WriteLog(notice, paths.errorLog(), clock);
  auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Orbelin"), ui::qs(notice));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
}

/// Everything one run of the program consists of, in the order it is built.
struct Desktop {
  explicit Desktop(const DesktopOptions& given)
      : paths{given.programDir}, options(given), lock(platform::qtserial::instanceLockFile(given.programDir)) {}
  void wireWindow();
  void openSettings();
  void openAbout();
  void createShortcut();

  report::ProgramPaths paths;
  DesktopOptions options;
  platform::posix::SystemClock clock;
  platform::qtserial::QtEventLoop loop{clock};
  std::unique_ptr<platform::SerialPort> port = makeSerialPort(loop);
  platform::qtserial::QtInstanceLock lock;
  ui::QtMessageBox messages;
  report::FailureReporter reporter{paths.errorLog(), clock, messages};
  settings::Configuration configuration;
  KeyOutputBackend output{options.keyboard};
  const bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
  ui::frmHexDump monitor;
  ui::frmQELTMain window{configuration.settings, monitor, trayAvailable, trayAvailable && trayShowsMessages()};
  ui::SplashWaitView splash;
  Engine engine{EngineParts{serial::SerialContext{configuration, paths, clock, loop, *port, reporter, window, window},
                            output.keyboard(), output.clipboard(), &window, &monitor}};
  serial::SerialLink& link = engine.link();
  std::unique_ptr<Program> program;
  ui::ExecModalRunner modals;
  ui::PickerResult picker;
  ui::UiContext uiContext{configuration, paths, reporter, messages, modals, picker, stableSerialNames(),
                          systemSerialPorts()};
  ui::SystemDesktopTools tools;
  QPointer<ui::frmSet> settingsDialog;
  QPointer<ui::frmAbout> aboutBox;
};

void Desktop::wireWindow() {
  link.dump().setView(&monitor);
  monitor.setClearHandler([this] { link.dump().clearViews(); });
  window.setActions(ui::MainWindowActions{
      [this] { return link.connection().isOpen(); },
      [this] { link.connection().SetuzokuCmd_Click(); },
      [this] { openSettings(); },
      [this] { openAbout(); },
      [this] { createShortcut(); },
      [this] { program->exitFromMenu(); },
      [this] { program->unload(); },
  });
}

void Desktop::openSettings() {
  // The port stays closed while the settings change: a reader coming back meanwhile
  // would be closed again by the dialog's connect exit.
  link.connection().stopWaiting();
  if (settingsDialog.isNull()) {
    settingsDialog = new ui::frmSet(uiContext, [this] { link.connection().SetuzokuCmd_Click(); });
    settingsDialog->setAttribute(Qt::WA_DeleteOnClose);
  }
  settingsDialog->show();
  settingsDialog->raise();
  settingsDialog->activateWindow();
}

void Desktop::openAbout() {
  if (aboutBox.isNull()) {
    aboutBox = new ui::frmAbout(
        ui::builtVersion(),
        ui::AboutFolders{QString::fromStdU16String(options.shippedDir.u16string()),
                         QString::fromStdU16String(paths.dir.u16string())},
        messages, tools);
    aboutBox->setAttribute(Qt::WA_DeleteOnClose);
  }
  aboutBox->show();
  aboutBox->raise();
  aboutBox->activateWindow();
}

void Desktop::createShortcut() {
  std::filesystem::path executable(QCoreApplication::applicationFilePath().toStdU16String());
  executable.make_preferred();  // Qt's paths use '/', which a Windows shell link does not take
  writeStartupEntry(executable, options.dirGiven ? std::optional(paths.dir) : std::nullopt);
}

/// For the start-up benchmark: time since main() and resident memory at the first
/// iteration of the event loop.
void reportStartup() {
  std::ifstream status("/proc/self/status");
  std::string line;
  std::string rss = "?";
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) rss = line.substr(6);
  }
  const auto elapsed = std::chrono::steady_clock::now() - processStart();
  std::cerr << "orbelin: startup-ms " << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()
            << " rss" << rss << "\n";
}

}  // namespace

std::chrono::steady_clock::time_point& processStart() {
  static std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  return start;
}

int runDesktop(const DesktopOptions& options) {
  auto desktop = std::make_unique<Desktop>(options);
  Desktop& d = *desktop;
  d.wireWindow();
  ShellServices services{d.paths, d.clock, d.loop, d.messages, d.reporter, d.configuration,
                         d.window, d.window, &d.splash, &d.lock, d.engine.databaseCheck(), {}};
  // Ending is immediate, whatever runs at the moment (a stop request may come in the
  // middle of a record); no key may stay pressed behind us.
  services.endProgram = [&d] {
    d.output.releaseAll();
    // Closing gives the device's lock file back; _Exit would leave it behind, and a lock
    // left by one user keeps the port from every other user of the machine.
    d.port->close();
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    // _Exit skips the exit handlers, the leak checker's among them.
    __lsan_do_leak_check();
#endif
    std::_Exit(0);
  };
  d.program = std::make_unique<Program>(std::move(services), d.link);
  if (d.program->Main() == StartResult::AlreadyRunning) return 0;
  if (!d.trayAvailable) report::WriteLog(kNoTrayLog, d.paths.errorLog(), d.clock);
  if (!d.output.available()) reportNoKeyboard(d.output.reason(), d.paths, d.clock);
  if (!d.output.notice().empty()) reportKeyboardNotice(d.output.notice(), d.paths, d.clock);
  if (d.program->ended()) return 0;
  if (options.reportStartup) d.loop.post([] { reportStartup(); });
  d.loop.run();
  return 0;
}

}  // namespace orbelin::app
