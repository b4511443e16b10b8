#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "PtyFixture.h"
#include "platform/qtserial/QtInstanceLock.h"

namespace orbelin::platform::qtserial {
namespace {

using settings::Setting;
using test::Pty;
using test::PtyFixture;
using Lines = std::vector<std::string>;

const std::string kOpenFailureBox =
    "msgbox critical \"RSOpen\" \"ComPortの接続に失敗しました。\\r\\n"
    "起動しているアプリケーション、COMポートの接続状況、設定を確認してください。\"";

TEST(QtSerialPort, ScanWithReadersOnCom3AndCom5OpensCom5) {
  PtyFixture f;
  Pty com3;
  Pty com5;
  f.mapPorts({{3, com3.device()}, {5, com5.device()}});
  f.set(Setting::PortScan, "1");
  EXPECT_TRUE(f.link.connection().RSOpen(true));
  EXPECT_EQ(f.configuration.settings.get(Setting::Port), "5");
  com5.write("AB");
  EXPECT_TRUE(f.runUntil([&] { return f.typed() == "AB"; }));
  EXPECT_TRUE(f.errorLines().empty());
}

TEST(QtSerialPort, ThousandFramedRecordsBackToBackAreEachTypedOnceInOrder) {
  PtyFixture f;
  Pty reader;
  f.mapPorts({{1, reader.device()}});
  f.set(Setting::Baud, "115200");
  f.set(Setting::Select, "1");
  f.set(Setting::RcvHead, "1");
  f.set(Setting::RcvFoot, "1");
  ASSERT_TRUE(f.link.connection().RSOpen(true));
  std::string stream;
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", i);
    stream += std::string("\x02") + digits + "\x03";
    expected += digits;
  }
  std::thread writer([&] { reader.write(stream); });
  const bool finished = f.runUntil([&] { return f.typed().size() >= expected.size(); });
  writer.join();
  EXPECT_TRUE(finished);
  // Late notifications must find nothing more to type.
  f.runUntil([] { return false; }, 300);
  EXPECT_EQ(f.typed(), expected);
  EXPECT_TRUE(f.errorLines().empty());
}

TEST(QtSerialPort, MissingDeviceGivesOneOpenFailure) {
  PtyFixture f;
  f.mapPorts({});
  f.link.connection().SetuzokuCmd_Click();
  EXPECT_EQ(f.transcript.lines(), (Lines{kOpenFailureBox, "icon disconnected"}));
  ASSERT_EQ(f.errorLines().size(), 1u);
  EXPECT_TRUE(f.errorLines()[0].starts_with("[RSOpen] ")) << f.errorLines()[0];
  PortRequest request;
  request.device = (f.dir / "missing").string();
  EXPECT_TRUE(f.port.open(request).deviceMissing);
}

TEST(QtSerialPort, DeviceHeldByAnotherOpenFails) {
  PtyFixture f;
  Pty reader;
  f.mapPorts({{1, reader.device()}});
  QtSerialPort other;
  PortRequest request;
  request.device = reader.device();
  ASSERT_TRUE(other.open(request).ok);
  EXPECT_FALSE(f.port.open(request).deviceMissing);
  // A reader that is there but refuses is not waited for at start-up.
  f.link.connection().connectAtStartup();
  EXPECT_FALSE(f.link.connection().awaitingDevice());
  EXPECT_EQ(f.errorLines().size(), 1u);
}

TEST(QtSerialPort, ReaderThatGoesAwayIsReportedOnceAndThePortCloses) {
  PtyFixture f;
  Pty reader;
  f.mapPorts({{1, reader.device()}});
  f.link.connection().SetuzokuCmd_Click();
  ASSERT_TRUE(f.port.isOpen());
  reader.hangUp();
  f.runUntil([&] { return !f.port.isOpen(); }, 10'000);
  f.runUntil([] { return false; }, 300);
  EXPECT_FALSE(f.port.isOpen());
  EXPECT_EQ(std::count(f.transcript.lines().begin(), f.transcript.lines().end(),
                       "msgbox critical \"RSDataRecv\" \"受信でエラーが発生しました。\""),
            1);
  EXPECT_EQ(f.window.connectButtonText(), "未接続");
  EXPECT_TRUE(f.window.caption().starts_with("未接続:COM1 " + reader.device() + ":[")) << f.window.caption();
}

TEST(QtSerialPort, AnswerByteReachesTheReaderAfterEachRecord) {
  PtyFixture f;
  Pty reader;
  f.mapPorts({{1, reader.device()}});
  f.set(Setting::Answer, "6");
  f.set(Setting::AnswerTime, "20");
  f.link.connection().SetuzokuCmd_Click();
  ASSERT_TRUE(f.port.isOpen());
  reader.write("AB");
  std::string answered;
  EXPECT_TRUE(f.runUntil([&] {
    answered += reader.readAvailable();
    return !answered.empty();
  }, 10'000));
  EXPECT_EQ(answered, "\x06");
  EXPECT_EQ(f.typed(), "AB");
}

TEST(QtSerialPort, ReaderUnpluggedAndPluggedBackAtTheSamePathIsReopenedAndTypesOnce) {
  PtyFixture f;
  const std::filesystem::path link = f.dir.path() / "reader";
  auto first = std::make_unique<Pty>();
  std::filesystem::create_symlink(first->device(), link);
  f.mapPorts({{1, link.string()}});
  f.link.connection().SetuzokuCmd_Click();
  ASSERT_TRUE(f.port.isOpen());
  first->write("AB");
  ASSERT_TRUE(f.runUntil([&] { return f.typed() == "AB"; }, 10'000));
  first->hangUp();
  std::filesystem::remove(link);
  ASSERT_TRUE(f.runUntil([&] { return !f.port.isOpen(); }, 10'000));
  EXPECT_TRUE(f.window.caption().starts_with("未接続:COM1 " + link.string() + ":[")) << f.window.caption();
  Pty second;
  std::filesystem::create_symlink(second.device(), link);
  EXPECT_TRUE(f.runUntil([&] { return f.port.isOpen(); }, 2'000));
  EXPECT_EQ(f.window.connectButtonText(), "接続中");
  second.write("CD");
  EXPECT_TRUE(f.runUntil([&] { return f.typed() == "ABCD"; }, 10'000));
  f.runUntil([] { return false; }, 300);
  EXPECT_EQ(f.typed(), "ABCD");
}

TEST(QtSerialPort, ReaderPluggedInAfterStartUpIsOpenedAndTypesOnce) {
  PtyFixture f;
  const std::filesystem::path link = f.dir.path() / "reader";
  f.mapPorts({{1, link.string()}});
  f.window.setCaption("COM");
  f.link.connection().connectAtStartup();
  EXPECT_FALSE(f.port.isOpen());
  EXPECT_EQ(f.window.caption(), "未接続:COM1 " + link.string());
  Pty reader;
  std::filesystem::create_symlink(reader.device(), link);
  EXPECT_TRUE(f.runUntil([&] { return f.port.isOpen(); }, 2'000));
  EXPECT_EQ(f.window.caption(), "COM");
  reader.write("AB");
  EXPECT_TRUE(f.runUntil([&] { return f.typed() == "AB"; }, 10'000));
  f.runUntil([] { return false; }, 300);
  EXPECT_EQ(f.typed(), "AB");
  EXPECT_EQ(std::count(f.transcript.lines().begin(), f.transcript.lines().end(), kOpenFailureBox), 1);
  EXPECT_EQ(f.errorLines().size(), 2u);
}

TEST(QtInstanceLock, SecondStartOfTheSameProgramFindsTheLockHeld) {
  test::TempDir dir;
  QtInstanceLock first(dir / "QELT.LCK");
  QtInstanceLock second(dir / "QELT.LCK");
  EXPECT_TRUE(first.tryAcquire());
  EXPECT_FALSE(second.tryAcquire());
}

TEST(QtEventLoop, TimersAndPostedTasksRunInsideAWait) {
  PtyFixture f;
  Lines order;
  f.loop.startTimer(20, false, [&] { order.push_back("timer"); });
  f.loop.post([&] { order.push_back("posted"); });
  f.runUntil([&] { return order.size() == 2; }, 10'000);
  EXPECT_EQ(order, (Lines{"posted", "timer"}));
  EXPECT_FALSE(f.runUntil([] { return false; }, 30));
}

}  // namespace
}  // namespace orbelin::platform::qtserial
