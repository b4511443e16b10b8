#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/startup/Engine.h"
#include "keyout/KeyOutput.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/sim/RecordingKeyboard.h"
#include "platform/sim/RecordingMainWindow.h"
#include "platform/sim/RecordingTrayIcon.h"
#include "platform/sim/SimEventLoop.h"
#include "platform/sim/SimMonitorView.h"
#include "platform/sim/SimSerialPort.h"
#include "serial/ConversionSteps.h"
#include "serial/SerialLink.h"
#include "settings/Configuration.h"
#include "support/Harness.h"

namespace orbelin::test {

/// The engine, assembled as the program assembles it, on the simulated port and event
/// loop, typing into the recording keyboard; everything observable lands in one transcript.
struct SerialFixture : Harness {
  /// Settings as test tables list them.
  using Values = std::vector<std::pair<settings::Setting, const char*>>;

  settings::Configuration configuration;
  platform::sim::SimEventLoop loop{clock};
  platform::sim::SimSerialPort port{loop, transcript};
  platform::sim::RecordingKeyboard keyboard{transcript, &clock};
  platform::sim::RecordingClipboard clipboard{transcript};
  platform::sim::RecordingMainWindow window{transcript};
  platform::sim::RecordingTrayIcon tray{transcript};
  platform::sim::SimMonitorView monitor;
  /// Keeps alive whatever a steps factory built.
  std::shared_ptr<void> stepsOwner;
  app::Engine engine;
  keyout::KeyOutput& keys = engine.keys();
  serial::SerialLink& link = engine.link();

  /// With the conversion steps given (none: every record passes unchanged); nothing
  /// gives the program's own decoders.
  explicit SerialFixture(std::optional<serial::ConversionSteps> steps = serial::ConversionSteps{})
      : engine(parts(), std::move(steps)) {
    setUp();
  }
  /// Steps built from the fixture's own settings, folder and reporter.
  explicit SerialFixture(const std::function<serial::ConversionSteps(SerialFixture&)>& makeSteps)
      : engine(parts(), makeSteps(*this)) {
    setUp();
  }

  app::EngineParts parts() {
    return {serial::SerialContext{configuration, paths, clock, loop, port, reporter, window, tray}, keyboard, clipboard};
  }
  void setUp() {
    link.dump().setView(&monitor);
    // Typing pauses let due events run, as the program's pauses do.
    keyboard.setPause([this](int ms) { loop.pause(ms); });
  }
  void set(settings::Setting setting, std::string_view value) { configuration.settings.set(setting, value); }
  void set(const Values& values) {
    for (const auto& [setting, value] : values) set(setting, value);
  }
  /// Opens the port with the connect toggle and forgets what that wrote.
  void connect() {
    link.connection().SetuzokuCmd_Click();
    transcript.clear();
  }
  void connect(const Values& values) {
    set(values);
    connect();
  }
  /// The bytes arrive now, and everything they set off runs to its end.
  void receive(std::string bytes) {
    port.arrive(std::move(bytes));
    loop.runUntilIdle();
  }
  /// How many transcript lines are exactly line.
  long count(std::string_view line) const;
  /// The transcript lines that begin with prefix.
  std::vector<std::string> linesStartingWith(std::string_view prefix) const;
  /// The characters posted to the focus window, as text (single-byte codes only).
  std::string typed() const;
  /// The transcript without the "ime" and "sleep" lines of typing.
  std::vector<std::string> status() const;
  /// Lines of a file in the program folder (decoded, time stamps kept).
  std::string file(std::string_view name) const;
};

}  // namespace orbelin::test
