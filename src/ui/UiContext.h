#pragma once

#include <functional>
#include <string>

#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "platform/StableSerialNames.h"
#include "platform/SystemSerialPorts.h"
#include "platform/YesNoPrompt.h"
#include "settings/Configuration.h"
#include "ui/ModalRunner.h"

namespace orbelin::ui {

/// The text chosen in the last picker window; the opener appends it to one of its boxes.
struct PickerResult {
  std::string text;
};

/// What the dialogs of the settings need from the rest of the program: the settings
/// state, the program folder, the failure convention (with its message box), Yes/No
/// questions, the way modal windows are run, the program-wide picker result and the
/// stable names of the serial devices plugged in.
struct UiContext {
  settings::Configuration& configuration;
  report::ProgramPaths paths;
  report::FailureReporter& reporter;
  platform::YesNoPrompt& questions;
  ModalRunner& modals;
  PickerResult& picker;
  /// The serial devices present under stable names; none where the system has no such names.
  platform::StableSerialNames stableSerialNames = {};
  /// The COM ports the system reports; none where ports are device paths.
  platform::SystemSerialPorts systemSerialPorts = {};

  platform::MessageBox& messages() const { return reporter.messages(); }
};

}  // namespace orbelin::ui
