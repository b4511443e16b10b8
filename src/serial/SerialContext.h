#pragma once

#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/MainWindow.h"
#include "platform/SerialPort.h"
#include "platform/TrayIcon.h"
#include "settings/Configuration.h"

namespace orbelin::serial {

/// What the serial link works with: the live settings, the program folder, time and the
/// event loop, the port, the failure convention and the two status displays.
struct SerialContext {
  settings::Configuration& configuration;
  const report::ProgramPaths& paths;
  platform::Clock& clock;
  platform::EventLoop& loop;
  platform::SerialPort& port;
  report::FailureReporter& reporter;
  platform::MainWindow& window;
  platform::TrayIcon& tray;

  const settings::Settings& settings() const { return configuration.settings; }
};

}  // namespace orbelin::serial
