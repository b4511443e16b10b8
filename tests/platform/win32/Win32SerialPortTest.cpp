#include <gtest/gtest.h>
#include <windows.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "keyout/KeyOutput.h"
#include "platform/posix/SystemClock.h"
#include "platform/qtserial/QtEventLoop.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/sim/RecordingKeyboard.h"
#include "platform/sim/RecordingMainWindow.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/RecordingTrayIcon.h"
#include "platform/win32/Win32SerialPort.h"
#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "serial/SerialLink.h"
#include "settings/Configuration.h"
#include "support/TempDir.h"

// Runs under with-wine.sh --serial: COM1 and COM2 are the two ends of one pty pair.
namespace orbelin::platform::win32 {
namespace {

using settings::Setting;

QCoreApplication& application() {
  static int argc = 1;
  static char name[] = "win32_serial_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

/// The reader's end of the line: COM2.
class Reader {
 public:
  Reader() : m_handle(CreateFileA("\\\\.\\COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
    if (m_handle == INVALID_HANDLE_VALUE) throw std::runtime_error("COM2 cannot be opened");
  }
  ~Reader() { CloseHandle(m_handle); }
  void write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      DWORD wrote = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 256));
      if (!WriteFile(m_handle, bytes.data() + done, chunk, &wrote, nullptr)) throw std::runtime_error("write");
      done += wrote;
    }
  }

 private:
  HANDLE m_handle;
};

struct Fixture {
  Fixture() { application(); }
  ~Fixture() { port.close(); }

  test::TempDir dir;
  report::ProgramPaths paths{dir.path()};
  Transcript transcript;
  posix::SystemClock clock;
  sim::RecordingMessageBox messages{transcript};
  report::FailureReporter reporter{paths.errorLog(), clock, messages};
  settings::Configuration configuration;
  qtserial::QtEventLoop loop{clock};
  Win32SerialPort port{loop};
  sim::RecordingKeyboard keyboard{transcript};
  sim::RecordingClipboard clipboard{transcript};
  sim::RecordingMainWindow window{transcript};
  sim::RecordingTrayIcon tray{transcript};
  keyout::KeyOutput keys{keyboard, clipboard, clock, configuration.settings, reporter, nullptr};
  serial::SerialLink link{serial::SerialContext{configuration, paths, clock, loop, port, reporter, window, tray}, {},
                          keys};

  bool runUntil(const std::function<bool()>& done, int guardMs = 60'000) {
    return loop.waitUntil(clock.monotonicMs() + guardMs, done);
  }
  std::string typed() const {
    std::string text;
    for (const auto& line : transcript.lines()) {
      if (line.starts_with("ime ")) text += static_cast<char>(std::stoi(line.substr(4)));
    }
    return text;
  }
};

struct LineCase {
  int dataBits;
  Parity parity;
  StopBits stopBits;
  Handshake handshake;
};

// Every combination the settings dialog offers that a serial driver accepts.
constexpr LineCase kLines[] = {
    {8, Parity::None, StopBits::One, Handshake::None},      {7, Parity::Even, StopBits::One, Handshake::None},
    {7, Parity::Odd, StopBits::Two, Handshake::XonXoff},    {8, Parity::Mark, StopBits::One, Handshake::RtsCts},
    {8, Parity::Space, StopBits::Two, Handshake::XonXoffRtsCts}, {6, Parity::None, StopBits::One, Handshake::None},
    {5, Parity::None, StopBits::OneAndHalf, Handshake::None},
};

TEST(Win32SerialPort, EveryLineSettingTheDriverAcceptsOpensAndCarriesBytes) {
  for (const LineCase& line : kLines) {
    Fixture f;
    PortRequest request;
    request.number = 1;
    request.baud = 115200;
    request.dataBits = line.dataBits;
    request.parity = line.parity;
    request.stopBits = line.stopBits;
    request.handshake = line.handshake;
    const PortResult result = f.port.open(request);
    ASSERT_TRUE(result.ok) << line.dataBits << " bits: " << result.description;
    Reader reader;
    reader.write("A");  // not 0x11 or 0x13: XON/XOFF handshakes take those
    EXPECT_TRUE(f.runUntil([&] { return f.port.bytesWaiting() == 1; }, 10'000)) << line.dataBits << " bits";
    EXPECT_EQ(f.port.readByte(), std::optional<std::uint8_t>(0x41));
    f.port.close();
  }
}

TEST(Win32SerialPort, AMissingPortFailsWithTheSystemsReason) {
  Fixture f;
  PortRequest request;
  request.number = 9;
  const PortResult result = f.port.open(request);
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.description.starts_with("\\\\.\\COM9: ")) << result.description;
  EXPECT_FALSE(f.port.isOpen());
}

TEST(Win32SerialPort, ThousandFramedRecordsAt115200AreEachTypedOnceInOrder) {
  Fixture f;
  f.configuration.settings.set(Setting::Baud, "115200");
  f.configuration.settings.set(Setting::Select, "1");
  f.configuration.settings.set(Setting::RcvHead, "1");
  f.configuration.settings.set(Setting::RcvFoot, "1");
  ASSERT_TRUE(f.link.connection().RSOpen(true));
  std::string stream;
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", i);
    stream += std::string("\x02") + digits + "\x03";
    expected += digits;
  }
  Reader reader;
  std::thread writer([&] { reader.write(stream); });
  const bool finished = f.runUntil([&] { return f.typed().size() >= expected.size(); });
  writer.join();
  EXPECT_TRUE(finished);
  f.runUntil([] { return false; }, 300);
  EXPECT_EQ(f.typed(), expected);
}

// Last: the pty pair ends for good.
TEST(Win32SerialPort, ZzTheReaderGoingAwayIsReportedOnce) {
  Fixture f;
  f.link.connection().SetuzokuCmd_Click();
  ASSERT_TRUE(f.port.isOpen());
  const char* drop = std::getenv("ORBELIN_DROP_COM1");
  ASSERT_NE(drop, nullptr);
  std::ofstream(drop) << "drop";
  f.runUntil([&] { return !f.port.isOpen(); }, 20'000);
  f.runUntil([] { return false; }, 300);
  EXPECT_FALSE(f.port.isOpen());
  const auto& lines = f.transcript.lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "msgbox critical \"RSDataRecv\" \"受信でエラーが発生しました。\""), 1);
  EXPECT_EQ(f.window.connectButtonText(), "未接続");
}

}  // namespace
}  // namespace orbelin::platform::win32
