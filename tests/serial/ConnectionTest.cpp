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
using test::kOpenFailureBox;
using Lines = std::vector<std::string>;

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
  f.receive("AB");
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

TEST(Connection, LostDeviceStopsTheCaptionSayingConnectedAtOnceAndNamesThePortAwaited) {
  SerialFixture f;
  test::writeFile(f.paths.ini(), "[PORTS]\r\n1=/dev/ttyACM0\r\n");
  f.connect();
  f.receive("AB\r");
  f.transcript.clear();
  f.port.unplug();
  f.loop.runUntilIdle();
  EXPECT_EQ(f.window.caption(), "未接続:COM1 /dev/ttyACM0:[        AB]");
  EXPECT_EQ(f.window.connectButtonText(), "未接続");
  EXPECT_EQ(f.transcript.lines().back(), "icon disconnected");
  EXPECT_EQ(f.tray.tip(), f.window.caption());
}

TEST(Connection, LostDeviceIsReopenedWhenItComesBackAndTheNextRecordIsTyped) {
  SerialFixture f;
  f.connect();
  f.port.arrive("AB");
  f.loop.scheduleAt(1'000, [&] { f.port.unplug(); });
  f.loop.scheduleAt(4'200, [&] { f.port.replug(); });
  f.port.arriveAt(6'000, "CD");
  f.loop.scheduleAt(8'000, [&] { f.link.connection().SetuzokuCmd_Click(); });
  std::vector<std::string> captions;
  for (const std::int64_t at : {3'000, 5'500}) {
    f.loop.scheduleAt(at, [&] { captions.push_back(f.window.caption()); });
  }
  f.loop.runUntilIdle();
  EXPECT_EQ(captions, (Lines{"未接続:COM1:[        AB]", "接続中:[        AB]"}));
  EXPECT_EQ(f.typed(), "ABCD");
  EXPECT_EQ(f.count("port open 1"), 1);
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

TEST(Connection, DeviceMissingAtStartUpIsReportedOnceThenAwaited) {
  struct Case {
    const char* name;
    std::function<void(SerialFixture&)> meanwhile;
    bool connected;
    const char* caption;
  };
  const Case cases[] = {
      {"plugged in later", [](SerialFixture&) {}, true, "COM"},
      {"user connects first", [](SerialFixture& f) { f.link.connection().SetuzokuCmd_Click(); }, false, "COM"},
      {"settings opened", [](SerialFixture& f) { f.link.connection().stopWaiting(); }, false, "COM"},
  };
  for (const Case& c : cases) {
    SerialFixture f;
    test::writeFile(f.paths.ini(), "[PORTS]\r\n1=/dev/ttyACM0\r\n");
    f.window.setCaption("COM");
    f.port.setAvailablePorts({});
    f.link.connection().connectAtStartup();
    EXPECT_EQ(f.window.caption(), "未接続:COM1 /dev/ttyACM0") << c.name;
    EXPECT_EQ(f.window.connectButtonText(), "未接続") << c.name;
    EXPECT_EQ(f.errorLines().size(), 1u) << c.name;
    f.loop.scheduleAt(2'500, [&] { c.meanwhile(f); });
    f.loop.scheduleAt(3'500, [&] { f.port.setAvailablePorts({1}); });
    f.port.arriveAt(6'000, "CD");
    f.loop.runUntilIdle();
    EXPECT_EQ(f.port.isOpen(), c.connected) << c.name;
    EXPECT_EQ(f.typed(), c.connected ? "CD" : "") << c.name;
    EXPECT_FALSE(f.link.connection().awaitingDevice()) << c.name;
    if (c.connected) {
      EXPECT_EQ(f.window.connectButtonText(), "接続中") << c.name;
      EXPECT_EQ(f.window.caption(), "接続中:[        CD]") << c.name;
      EXPECT_TRUE(f.errorLines().back().ends_with("SerialPort:再接続しました /dev/ttyACM0")) << c.name;
    } else {
      EXPECT_EQ(f.window.caption(), c.caption) << c.name;
    }
    // One box for the start-up failure, one more only for the user's own connect.
    const auto boxes = f.count(kOpenFailureBox);
    EXPECT_EQ(boxes, std::string_view(c.name) == "user connects first" ? 2 : 1) << c.name;
  }
}

TEST(Connection, PortThatRefusesAtStartUpOrAScanThatFindsNothingIsNotAwaited) {
  const std::function<void(SerialFixture&)> refusals[] = {
      [](SerialFixture& f) { f.set(Setting::Stop, "1.5"); },
      [](SerialFixture& f) {
        f.set(Setting::PortScan, "1");
        f.port.setAvailablePorts({});
      },
  };
  for (const auto& refuse : refusals) {
    SerialFixture f;
    refuse(f);
    f.link.connection().connectAtStartup();
    EXPECT_FALSE(f.link.connection().awaitingDevice());
    EXPECT_EQ(f.link.connection().statusText(), "未接続");
  }
}

}  // namespace
}  // namespace orbelin::serial
