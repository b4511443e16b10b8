#pragma once

#include <filesystem>
#include <optional>

namespace orbelin::app {

/// How the desktop program was started.
struct DesktopOptions {
  /// The program folder: settings, tables, logs and markers.
  std::filesystem::path programDir;
  /// Set when the folder came from --dir rather than being the executable's own.
  bool dirGiven = false;
};

/// Runs the program with its windows, tray icon, serial port and keyboard until it ends.
/// Needs a QApplication; returns the process exit code.
int runDesktop(const DesktopOptions& options);

}  // namespace orbelin::app
