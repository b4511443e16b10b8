// orbelin: the desktop program. The program folder is the one --dir names; otherwise the
// executable's own when it can be written there (a portable install), else the user's
// data folder (an installed program).
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "app/desktop/Desktop.h"
#include "app/desktop/KeyOutputBackend.h"
#include "report/ProgramFolder.h"

namespace {

constexpr const char* kUsage =
    "usage: orbelin [--dir DIR] [--report-startup] [--keyboard auto|wayland|x11]\n"
    "       orbelin --help | --version\n"
    "Types what a barcode reader on a serial port sends into the focused application.\n"
    "  --dir DIR          keep settings, logs and marker files in DIR\n"
    "  --report-startup   print the start-up time and memory once running\n"
    "  --keyboard KIND    type through the Wayland virtual keyboard or X11 (default auto)\n"
    "Without --dir the program folder is the executable's own when it can write there,\n"
    "otherwise $XDG_DATA_HOME/orbelin (~/.local/share/orbelin).\n";

int usage(const std::string& problem) {
  std::cerr << "orbelin: " << problem << "\n" << kUsage;
  return 2;
}

#ifndef _WIN32
std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}
#endif

/// Answers --help and --version before anything needs a display; nothing otherwise.
std::optional<int> answerQuestion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--dir" || argument == "--keyboard") {
      ++i;
    } else if (argument == "--help" || argument == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (argument == "--version") {
      std::cout << "orbelin " ORBELIN_VERSION_TEXT "\n";
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  orbelin::app::processStart() = std::chrono::steady_clock::now();
  if (const auto answered = answerQuestion(argc, argv)) return *answered;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if ((argument == "--dir" || argument == "--keyboard") && i + 1 < argc) {
      ++i;
    } else if (argument != "--report-startup") {
      return usage("unexpected argument \"" + std::string(argument) + "\"");
    }
  }
  // Qt aborts with a core dump when it finds no display; say why and end instead.
  if (const auto missing = orbelin::app::missingDisplay()) {
    std::cerr << "orbelin: " << *missing << "\n";
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  orbelin::app::DesktopOptions options;
  orbelin::report::FolderFacts facts;
  // Through UTF-16: a path made from a narrow string would take Windows' ANSI code page.
  facts.executableDir = std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--dir") && i + 1 < arguments.size()) {
      facts.given = std::filesystem::path(arguments[++i].toStdU16String());
    } else if (arguments[i] == QStringLiteral("--keyboard") && i + 1 < arguments.size()) {
      const auto choice = orbelin::app::parseKeyboardChoice(arguments[++i].toStdString());
      if (!choice) return usage("--keyboard needs auto, wayland or x11");
      options.keyboard = *choice;
    } else if (arguments[i] == QStringLiteral("--report-startup")) {
      options.reportStartup = true;
    }
  }
  std::error_code error;
  if (facts.given && !std::filesystem::is_directory(*facts.given, error)) {
    return usage("no folder " + facts.given->string());
  }
#ifdef _WIN32
  facts.perUserFolders = false;
#else
  facts.installed = orbelin::report::shippedDataFolder(facts.executableDir) != facts.executableDir;
  facts.executableDirWritable = !facts.installed && orbelin::report::folderTakesFiles(facts.executableDir);
  facts.xdgDataHome = environment("XDG_DATA_HOME");
  facts.home = environment("HOME");
#endif
  const auto folder = orbelin::report::chooseProgramFolder(facts);
  options.programDir = folder.dir;
  options.dirGiven = folder.kind == orbelin::report::FolderKind::Given;
  options.shippedDir = orbelin::report::shippedDataFolder(facts.executableDir);
  // Created at the first start; a folder that cannot be made is left to the write test,
  // which says so, and the program runs all the same.
  if (folder.kind == orbelin::report::FolderKind::PerUser) std::filesystem::create_directories(folder.dir, error);
  options.programDir = std::filesystem::absolute(options.programDir, error).make_preferred();
  return orbelin::app::runDesktop(options);
}
