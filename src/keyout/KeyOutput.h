#pragma once

#include "report/FailureReporter.h"
#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/WindowActivation.h"
#include "settings/Settings.h"

namespace orbelin::keyout {

/// Everything a transfer procedure types through and reads from. Settings are read at
/// the moment of each pause, so a changed setting acts from the next pause on.
struct KeyOutput {
  platform::Keyboard& keyboard;
  platform::Clipboard& clipboard;
  /// The source of {Date} and {Time}.
  platform::Clock& clock;
  const settings::Settings& settings;
  report::FailureReporter& reporter;
  /// The main window that a failing normal-mode transfer brings back; none before the
  /// window exists.
  platform::WindowActivation* mainWindow = nullptr;
};

}  // namespace orbelin::keyout
