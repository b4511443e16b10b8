// orbelin: the desktop program. The program folder is the executable's own (a portable
// install) unless --dir names another.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/desktop/Desktop.h"
#include "app/desktop/KeyOutputBackend.h"

namespace {

int usage(const std::string& problem) {
  std::cerr << "orbelin: " << problem << "\nusage: orbelin [--dir DIR] [--report-startup] [--keyboard auto|wayland|x11]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  orbelin::app::processStart() = std::chrono::steady_clock::now();
  // Qt aborts with a core dump when it finds no display; say why and end instead.
  if (const auto missing = orbelin::app::missingDisplay()) {
    std::cerr << "orbelin: " << *missing << "\n";
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  orbelin::app::DesktopOptions options;
  // Through UTF-16: a path made from a narrow string would take Windows' ANSI code page.
  options.programDir = std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--dir") && i + 1 < arguments.size()) {
      options.programDir = std::filesystem::path(arguments[++i].toStdU16String());
      options.dirGiven = true;
    } else if (arguments[i] == QStringLiteral("--keyboard") && i + 1 < arguments.size()) {
      const auto choice = orbelin::app::parseKeyboardChoice(arguments[++i].toStdString());
      if (!choice) return usage("--keyboard needs auto, wayland or x11");
      options.keyboard = *choice;
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
  options.programDir = std::filesystem::absolute(options.programDir, error).make_preferred();
  return orbelin::app::runDesktop(options);
}
