#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "platform/win32/Win32SerialPort.h"
#include "support/LinkFixture.h"
#include "support/Win32ComReader.h"

// Runs under with-wine.sh --serial: COM1 and COM2 are the two ends of one pty pair.
namespace orbelin::platform::win32 {
namespace {

using test::ComReader;

struct Fixture : test::LinkFixture<Win32SerialPort> {
  Fixture() : LinkFixture("win32_serial_tests") {}
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
    ComReader reader;
    ASSERT_TRUE(reader.ready()) << "COM2 cannot be opened";
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
  f.frameStxEtxAt115200();
  ASSERT_TRUE(f.link.connection().RSOpen(true));
  const test::NumberedRecords records(1000);
  ComReader reader;
  ASSERT_TRUE(reader.ready()) << "COM2 cannot be opened";
  EXPECT_TRUE(f.typeWhileWriting(reader, records.stream, records.typed.size()));
  f.runUntil([] { return false; }, 300);
  EXPECT_EQ(f.typed(), records.typed);
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
