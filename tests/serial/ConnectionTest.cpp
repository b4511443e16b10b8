#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "SerialFixture.h"
#include "serial/PortSetup.h"

namespace orbelin::serial {
namespace {

using platform::Handshake;
using platform::Parity;
using platform::StopBits;
using settings::Setting;
using test::SerialFixture;
using Lines = std::vector<std::string>;

const std::string kOpenFailureBox =
    "msgbox critical \"RSOpen\" \"ComPortの接続に失敗しました。\\r\\n"
    "起動しているアプリケーション、COMポートの接続状況、設定を確認してください。\"";

TEST(Connection, DefaultSettingsOpenCom1At9600N81) {
  SerialFixture f;
  f.link.connection().SetuzokuCmd_Click();
  EXPECT_EQ(f.transcript.lines(), (Lines{"port open 1", "icon connected"}));
  const auto& request = f.port.lastRequest();
  EXPECT_EQ(request.device, "/dev/ttyS0");
  EXPECT_EQ(request.baud, 9600);
  EXPECT_EQ(request.parity, Parity::None);
  EXPECT_EQ(request.dataBits, 8);
  EXPECT_EQ(request.stopBits, StopBits::One);
  EXPECT_EQ(request.handshake, Handshake::None);
  EXPECT_EQ(request.bufferSize, 5120);
  EXPECT_EQ(f.window.connectButtonText(), "接続中");
}

TEST(Connection, PortsSectionNamesTheDevice) {
  SerialFixture f;
  test::writeFile(f.paths.ini(), "[PORTS]\r\n3=/dev/ttyACM0\r\n");
  EXPECT_EQ(deviceForPort(3, f.paths.ini()), "/dev/ttyACM0");
  EXPECT_EQ(deviceForPort(4, f.paths.ini()), "/dev/ttyS3");
}

TEST(Connection, ScanOpensTheHighestPortThatOpensAndKeepsItsNumber) {
  SerialFixture f;
  f.set(Setting::PortScan, "1");
  f.set(Setting::Port, "1");
  f.port.setAvailablePorts({3, 5});
  EXPECT_TRUE(f.link.connection().RSOpen(true));
  EXPECT_EQ(f.transcript.lines(), (Lines{"port open 5"}));
  EXPECT_EQ(f.configuration.settings.get(Setting::Port), "5");
  EXPECT_TRUE(f.errorLines().empty());
}

TEST(Connection, ScanThatFindsNothingReportsOnce) {
  SerialFixture f;
  f.set(Setting::PortScan, "1");
  f.port.setAvailablePorts({});
  EXPECT_FALSE(f.link.connection().RSOpen(true));
  EXPECT_EQ(f.transcript.lines(), (Lines{kOpenFailureBox}));
  EXPECT_EQ(f.errorLines().size(), 1u);
}

TEST(Connection, FailedOpenShowsTheClosedStateAndOneLogLine) {
  SerialFixture f;
  f.set(Setting::Port, "7");
  f.port.setAvailablePorts({1});
  f.link.connection().SetuzokuCmd_Click();
  EXPECT_EQ(f.transcript.lines(), (Lines{kOpenFailureBox, "icon disconnected"}));
  EXPECT_EQ(f.window.connectButtonText(), "未接続");
  ASSERT_EQ(f.errorLines().size(), 1u);
  EXPECT_TRUE(f.errorLines()[0].starts_with("[RSOpen] SerialPort:"));
}

struct RefusedSetting {
  Setting setting;
  const char* value;
};

class Refused : public testing::TestWithParam<RefusedSetting> {};

TEST_P(Refused, LineSettingsTheDriverWouldChangeFailTheOpen) {
  SerialFixture f;
  f.set(GetParam().setting, GetParam().value);
  EXPECT_FALSE(f.link.connection().RSOpen(true));
  EXPECT_EQ(f.transcript.lines(), (Lines{kOpenFailureBox}));
  ASSERT_EQ(f.errorLines().size(), 1u);
  EXPECT_TRUE(f.errorLines()[0].starts_with("[RSOpen] QELT:"));
  EXPECT_FALSE(f.port.isOpen());
}

INSTANTIATE_TEST_SUITE_P(Table, Refused,
                         testing::Values(RefusedSetting{Setting::Stop, "1.5"}, RefusedSetting{Setting::Data, "4"}, RefusedSetting{Setting::Parity, "x"},
                                         RefusedSetting{Setting::Baud, "fast"}, RefusedSetting{Setting::Hand, "9"},
                                         RefusedSetting{Setting::Buf, "0"}, RefusedSetting{Setting::Port, "COM1"}));

TEST(Connection, FiveDataBitsOpenAndTheRefusalsNameTheirReason) {
  SerialFixture f;
  f.set(Setting::Data, "5");
  EXPECT_TRUE(f.link.connection().RSOpen(true));
  EXPECT_EQ(f.port.lastRequest().dataBits, 5);
  f.link.connection().disconnectIfOpen();
  f.set(Setting::Data, "4");
  EXPECT_FALSE(f.link.connection().RSOpen(true));
  f.set(Setting::Data, "8");
  f.set(Setting::Stop, "1.5");
  EXPECT_FALSE(f.link.connection().RSOpen(true));
  EXPECT_EQ(f.errorLines(), (Lines{"[RSOpen] QELT:データビット 4 はこのシステムのシリアルポートでは使用できません。",
                                   "[RSOpen] QELT:ストップビット 1.5 はこのシステムのシリアルポートでは使用できません。"}));
}

TEST(Connection, ToggleTwiceClosesAndReopensAndMinimisesEachTime) {
  SerialFixture f;
  f.link.connection().SetuzokuCmd_Click();
  f.link.connection().SetuzokuCmd_Click();
  f.link.connection().SetuzokuCmd_Click();
  EXPECT_EQ(f.transcript.lines(),
            (Lines{"port open 1", "icon connected", "port close", "icon disconnected", "port open 1", "icon connected"}));
  EXPECT_EQ(f.window.minimizeCount(), 3);
}

TEST(Connection, DisconnectIfOpenDoesNotMinimiseAndIgnoresAClosedPort) {
  SerialFixture f;
  f.link.connection().disconnectIfOpen();
  f.connect();
  f.link.connection().disconnectIfOpen();
  EXPECT_EQ(f.transcript.lines(), (Lines{"port close", "icon disconnected"}));
  EXPECT_EQ(f.window.minimizeCount(), 1);
}

TEST(Connection, NothingIsReceivedWhileClosed) {
  SerialFixture f;
  f.port.arrive("AB");
  f.loop.runUntilIdle();
  f.connect();
  f.loop.runUntilIdle();
  EXPECT_EQ(f.typed(), "");
}

TEST(Connection, BytesWrittenToThePortAreTranscribedOnlyWhileTheDeviceIsThere) {
  SerialFixture f;
  EXPECT_FALSE(f.port.writeByte(0x06));
  f.connect();
  EXPECT_TRUE(f.port.writeByte(0x06));
  EXPECT_TRUE(f.port.writeByte(0xAF));
  f.port.unplug();
  EXPECT_FALSE(f.port.writeByte(0x16));
  EXPECT_EQ(f.transcript.lines(), (Lines{"port write 06", "port write AF"}));
}

TEST(Connection, LostDeviceStopsTheCaptionSayingConnectedAtOnce) {
  SerialFixture f;
  f.connect();
  f.port.arrive("AB\r");
  f.loop.runUntilIdle();
  f.transcript.clear();
  f.port.unplug();
  f.loop.runUntilIdle();
  EXPECT_EQ(f.window.caption(), "未接続:[        AB]");
  EXPECT_EQ(f.window.connectButtonText(), "未接続");
}

TEST(Connection, LostDeviceIsReopenedWhenItComesBackAndTheNextRecordIsTyped) {
  SerialFixture f;
  f.connect();
  f.port.arrive("AB");
  f.loop.scheduleAt(1'000, [&] { f.port.unplug(); });
  f.loop.scheduleAt(4'200, [&] { f.port.replug(); });
  f.port.arriveAt(6'000, "CD");
  f.loop.scheduleAt(8'000, [&] { f.link.connection().SetuzokuCmd_Click(); });
  f.loop.runUntilIdle();
  EXPECT_EQ(f.typed(), "ABCD");
  EXPECT_EQ(std::count(f.transcript.lines().begin(), f.transcript.lines().end(), "port open 1"), 1);
  EXPECT_EQ(f.window.caption(), "接続中:[      ABCD]");
  ASSERT_EQ(f.errorLines().size(), 2u);
  EXPECT_TRUE(f.errorLines()[1].ends_with("[RSOpen] SerialPort:再接続しました /dev/ttyS0"));
  EXPECT_FALSE(f.link.connection().awaitingDevice());
}

TEST(Connection, UserDisconnectIsNeverUndoneByAReturningDevice) {
  struct Case {
    const char* name;
    std::function<void(SerialFixture&)> disconnect;
  };
  const Case cases[] = {
      {"toggle while open", [](SerialFixture& f) { f.link.connection().SetuzokuCmd_Click(); }},
      {"toggle while waiting",
       [](SerialFixture& f) {
         f.port.unplug();
         f.loop.processPending();
         f.link.connection().RSOpen(false);
       }},
  };
  for (const Case& c : cases) {
    SerialFixture f;
    f.connect();
    f.loop.scheduleAt(1'000, [&] { c.disconnect(f); });
    f.loop.scheduleAt(2'000, [&] { f.port.replug(); });
    f.loop.scheduleAt(10'000, [] {});
    f.loop.runUntilIdle();
    EXPECT_FALSE(f.port.isOpen()) << c.name;
    EXPECT_FALSE(f.link.connection().awaitingDevice()) << c.name;
  }
}

}  // namespace
}  // namespace orbelin::serial
