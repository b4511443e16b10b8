#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

#include "desktop/KeyOutputBackend.h"

namespace orbelin::app {

/// How the desktop program was started.
struct DesktopOptions {
  /// The program folder: settings, tables, logs and markers.
  std::filesystem::path programDir;
  /// Set when the folder came from --dir rather than from where the program is installed.
  bool dirGiven = false;
  /// Where the files shipped with the program are (the help document).
  std::filesystem::path shippedDir;
  /// Print the start-up time and resident memory at the first event loop iteration.
  bool reportStartup = false;
  /// The keyboard to type through (--keyboard).
  KeyboardChoice keyboard = KeyboardChoice::Auto;
};

/// Runs the program with its windows, tray icon, serial port and keyboard until it ends.
/// Needs a QApplication; returns the process exit code.
int runDesktop(const DesktopOptions& options);

/// When main() began; the start-up report counts from here.
std::chrono::steady_clock::time_point& processStart();

}  // namespace orbelin::app
