// orbelin: the desktop program. The program folder is the one --dir names; otherwise the
// executable's own when it can be written there (a portable install), else the user's
// folder (an installed program).
#include <QApplication>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "desktop/Desktop.h"
#include "desktop/KeyOutputBackend.h"
#include "desktop/SystemServices.h"
#include "app/startup/QtOptions.h"
#include "report/ProgramFolder.h"

namespace {

constexpr const char* kUsage =
    "usage: orbelin [--dir DIR] [--report-startup] [--keyboard auto|wayland|x11] [Qt options]\n"
    "       orbelin --help | --version\n"
    "Types what a barcode reader on a serial port sends into the focused application.\n"
    "  --dir DIR          keep settings, logs and marker files in DIR\n"
    "  --report-startup   print the start-up time and memory once running\n"
    "  --keyboard KIND    type through the Wayland virtual keyboard or X11 (default auto)\n"
    "Without --dir the program folder is the executable's own when it can write there and\n"
    "was not installed, otherwise $XDG_DATA_HOME/orbelin (~/.local/share/orbelin), on\n"
    "Windows %APPDATA%\\Orbelin.\n";

int usage(const std::string& problem) {
  std::cerr << "orbelin: " << problem << "\n" << kUsage << orbelin::app::kQtOptionsNote;
  return 2;
}

/// Answers --help and --version before anything needs a display, and refuses what is no
/// option of the program's or Qt's; nothing when the program is to start.
std::optional<int> checkArguments(const orbelin::app::SplitCommandLine& line) {
  if (!line.missingValue.empty()) return usage(line.missingValue + " needs a value");
  for (std::size_t i = 0; i < line.own.size(); ++i) {
    const std::string_view argument = line.own[i];
    if ((argument == "--dir" || argument == "--keyboard") && i + 1 < line.own.size()) {
      ++i;
    } else if (argument == "--help" || argument == "-h") {
      std::cout << kUsage << orbelin::app::kQtOptionsNote;
      return 0;
    } else if (argument == "--version") {
      std::cout << "orbelin " ORBELIN_VERSION_TEXT "\n";
      return 0;
    } else if (argument != "--report-startup") {
      return usage("unexpected argument \"" + std::string(argument) + "\"");
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  orbelin::app::processStart() = std::chrono::steady_clock::now();
  const auto line = orbelin::app::splitQtOptions(argc, argv);
  if (const auto answered = checkArguments(line)) return *answered;
  // Qt aborts with a core dump when it finds no display; say why and end instead.
  if (const auto missing = orbelin::app::missingDisplay(); missing && !line.platformGiven) {
    std::cerr << "orbelin: " << *missing << "\n";
    return 1;
  }
  // Qt takes its own options out of argv and out of arguments() below.
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  orbelin::app::DesktopOptions options;
  std::optional<std::filesystem::path> given;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--dir") && i + 1 < arguments.size()) {
      // Through UTF-16: a path made from a narrow string would take Windows' ANSI code page.
      given = std::filesystem::path(arguments[++i].toStdU16String());
    } else if (arguments[i] == QStringLiteral("--keyboard") && i + 1 < arguments.size()) {
      const auto choice = orbelin::app::parseKeyboardChoice(arguments[++i].toStdString());
      if (!choice) return usage("--keyboard needs auto, wayland or x11");
      options.keyboard = *choice;
    } else if (arguments[i] == QStringLiteral("--report-startup")) {
      options.reportStartup = true;
    }
  }
  std::error_code error;
  if (given && !std::filesystem::is_directory(*given, error)) return usage("no folder " + given->string());
  const auto folder = orbelin::report::locateProgramFolder(given);
  options.programDir = folder.dir;
  options.dirGiven = folder.kind == orbelin::report::FolderKind::Given;
  options.shippedDir = folder.shippedDir;
  return orbelin::app::runDesktop(options);
}
