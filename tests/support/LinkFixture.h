#pragma once

#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <vector>

#include "keyout/KeyOutput.h"
#include "platform/posix/SystemClock.h"
#include "platform/qtserial/QtEventLoop.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/sim/RecordingKeyboard.h"
#include "platform/sim/RecordingMainWindow.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/RecordingTrayIcon.h"
#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "serial/SerialLink.h"
#include "settings/Configuration.h"
#include "support/Harness.h"
#include "support/QtApplication.h"
#include "support/TempDir.h"

namespace orbelin::test {

/// The serial link on a real serial port backend and Qt's event loop in real time,
/// typing into the recording keyboard or one of the caller's; a QCoreApplication named
/// program exists.
template <typename Port, typename Keyboard = platform::sim::RecordingKeyboard>
struct LinkFixture {
  explicit LinkFixture(const char* program) { application<QCoreApplication>(program); }
  ~LinkFixture() { port.close(); }
  LinkFixture(const LinkFixture&) = delete;
  LinkFixture& operator=(const LinkFixture&) = delete;

  TempDir dir;
  report::ProgramPaths paths{dir.path()};
  platform::Transcript transcript;
  platform::posix::SystemClock clock;
  platform::sim::RecordingMessageBox messages{transcript};
  report::FailureReporter reporter{paths.errorLog(), clock, messages};
  settings::Configuration configuration;
  platform::qtserial::QtEventLoop loop{clock};
  Port port = makePort();
  Keyboard keyboard = makeKeyboard();
  platform::sim::RecordingClipboard clipboard{transcript};
  platform::sim::RecordingMainWindow window{transcript};
  platform::sim::RecordingTrayIcon tray{transcript};
  keyout::KeyOutput keys{keyboard, clipboard, clock, configuration.settings, reporter, nullptr};
  serial::SerialLink link{serial::SerialContext{configuration, paths, clock, loop, port, reporter, window, tray}, {},
                          keys};

  void set(settings::Setting setting, std::string_view value) { configuration.settings.set(setting, value); }
  /// Lets events run until done() or a generous guard time has passed.
  bool runUntil(const std::function<bool()>& done, int guardMs = 60'000) {
    return loop.waitUntil(clock.monotonicMs() + guardMs, done);
  }
  /// What the recording keyboard was given to type.
  std::string typed() const {
    std::string text;
    for (const auto& line : transcript.lines()) {
      if (line.starts_with("ime ")) text += static_cast<char>(std::stoi(line.substr(4)));
    }
    return text;
  }
  std::vector<std::string> errorLines() const { return errorLogLines(paths.errorLog()); }

  /// Framing STX ... ETX at 115200 baud.
  void frameStxEtxAt115200() {
    set(settings::Setting::Baud, "115200");
    set(settings::Setting::Select, "1");
    set(settings::Setting::RcvHead, "1");
    set(settings::Setting::RcvFoot, "1");
  }
  /// The reader writes bytes from a thread of its own while events run until size
  /// characters are typed (or a generous guard has passed); true when they were.
  template <typename Reader>
  bool typeWhileWriting(Reader& reader, const std::string& bytes, std::size_t size) {
    std::thread writer([&] { reader.write(bytes); });
    const bool finished = runUntil([&] { return typed().size() >= size; });
    writer.join();
    return finished;
  }

 private:
  // Some ports deliver their bytes through the event loop, others need nothing; the
  // recording keyboard writes into the transcript.
  Port makePort() {
    if constexpr (std::is_constructible_v<Port, platform::qtserial::QtEventLoop&>) {
      return Port(loop);
    } else {
      return Port();
    }
  }
  Keyboard makeKeyboard() {
    if constexpr (std::is_constructible_v<Keyboard, platform::Transcript&>) {
      return Keyboard(transcript);
    } else {
      return Keyboard();
    }
  }
};

/// Records STX "0000" ETX, STX "0001" ETX ... back to back, and the text they type.
struct NumberedRecords {
  explicit NumberedRecords(int count) {
    for (int i = 0; i < count; ++i) {
      char digits[16];
      std::snprintf(digits, sizeof digits, "%04d", i);
      stream += std::string("\x02") + digits + "\x03";
      typed += digits;
    }
  }
  std::string stream;
  std::string typed;
};

}  // namespace orbelin::test
