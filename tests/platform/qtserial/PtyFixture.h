#pragma once

#include <string>
#include <thread>
#include <vector>

#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "keyout/KeyOutput.h"
#include "platform/posix/SystemClock.h"
#include "platform/qtserial/QtEventLoop.h"
#include "platform/qtserial/QtSerialPort.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/sim/RecordingKeyboard.h"
#include "platform/sim/RecordingMainWindow.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/RecordingTrayIcon.h"
#include "serial/SerialLink.h"
#include "settings/Configuration.h"
#include "support/TempDir.h"

namespace orbelin::test {

/// A pseudo terminal: the program opens the slave device by name, the test writes to
/// the master as the reader would.
class Pty {
 public:
  Pty();
  ~Pty();
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& device() const { return m_device; }
  /// Writes all bytes to the master (blocking while the line is full).
  void write(const std::string& bytes);
  /// What the program wrote to the device and the master has not read yet; never blocks.
  std::string readAvailable();
  /// The reader goes away: the master is closed.
  void hangUp();

 private:
  int m_master = -1;
  int m_slave = -1;
  std::string m_device;
};

/// The serial link on Qt SerialPort and Qt's event loop, typing into the recording
/// keyboard. Makes sure a QCoreApplication exists.
struct PtyFixture {
  PtyFixture();
  ~PtyFixture();

  TempDir dir;
  report::ProgramPaths paths{dir.path()};
  platform::Transcript transcript;
  platform::posix::SystemClock clock;
  platform::sim::RecordingMessageBox messages{transcript};
  report::FailureReporter reporter{paths.errorLog(), clock, messages};
  settings::Configuration configuration;
  platform::qtserial::QtEventLoop loop{clock};
  platform::qtserial::QtSerialPort port;
  platform::sim::RecordingKeyboard keyboard{transcript};
  platform::sim::RecordingClipboard clipboard{transcript};
  platform::sim::RecordingMainWindow window{transcript};
  platform::sim::RecordingTrayIcon tray{transcript};
  keyout::KeyOutput keys{keyboard, clipboard, clock, configuration.settings, reporter, nullptr};
  serial::SerialLink link{serial::SerialContext{configuration, paths, clock, loop, port, reporter, window, tray}, {},
                          keys};

  void set(settings::Setting setting, std::string_view value) { configuration.settings.set(setting, value); }
  /// Maps every COM number to a missing device except those given.
  void mapPorts(const std::vector<std::pair<int, std::string>>& devices);
  /// Lets events run until done() or a generous guard time has passed.
  bool runUntil(const std::function<bool()>& done, int guardMs = 60'000);
  std::string typed() const;
  std::vector<std::string> errorLines() const;
};

}  // namespace orbelin::test
