// orbelin: the desktop program. The program folder is the executable's own (a portable
// install) unless --dir names another.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/desktop/Desktop.h"

namespace {

int usage(const std::string& problem) {
  std::cerr << "orbelin: " << problem << "\nusage: orbelin [--dir DIR] [--report-startup]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  orbelin::app::processStart() = std::chrono::steady_clock::now();
  // Qt aborts with a core dump when it finds no display; say why and end instead.
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
      std::getenv("QT_QPA_PLATFORM") == nullptr) {
    std::cerr << "orbelin: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n";
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  orbelin::app::DesktopOptions options;
  options.programDir = QCoreApplication::applicationDirPath().toStdString();
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--dir") && i + 1 < arguments.size()) {
      options.programDir = arguments[++i].toStdString();
      options.dirGiven = true;
    } else if (arguments[i] == QStringLiteral("--report-startup")) {
      options.reportStartup = true;
    } else {
      return usage("unexpected argument \"" + arguments[i].toStdString() + "\"");
    }
  }
  std::error_code error;
  if (!std::filesystem::is_directory(options.programDir, error)) {
    return usage("no folder " + options.programDir.string());
  }
  options.programDir = std::filesystem::absolute(options.programDir, error);
  return orbelin::app::runDesktop(options);
}
