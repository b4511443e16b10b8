#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "PtyFixture.h"
#include "platform/qtserial/QtInstanceLock.h"

namespace orbelin::platform::qtserial {
namespace {

using settings::Setting;
using test::ReaderPty;
using test::PtyFixture;
using test::kOpenFailureBox;
using Lines = std::vector<std::string>;

TEST(QtSerialPort, ScanWithReadersOnCom3AndCom5OpensCom5) {
  PtyFixture f;
  ReaderPty com3;
  ReaderPty com5;
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
  ReaderPty reader;
  f.mapPorts({{1, reader.device()}});
  f.frameStxEtxAt115200();
  ASSERT_TRUE(f.link.connection().RSOpen(true));
  const test::NumberedRecords records(1000);
  EXPECT_TRUE(f.typeWhileWriting(reader, records.stream, records.typed.size()));
  // Late notifications must find nothing more to type: anything read twice would come
  // before a record sent after the last.
  reader.write("\x02" "MARK\x03");
  f.runUntil([&] { return f.typed().ends_with("MARK"); });
  EXPECT_EQ(f.typed(), records.typed + "MARK");
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
  ReaderPty reader;
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
  ReaderPty reader;
  f.mapPorts({{1, reader.device()}});
  f.link.connection().SetuzokuCmd_Click();
  ASSERT_TRUE(f.port.isOpen());
  reader.vanish();
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
  ReaderPty reader;
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

// Anything typed twice would come before what the reader sends next.
void expectNothingTypedTwice(PtyFixture& f, const ReaderPty& reader, const std::string& typed) {
  reader.write("EF");
  f.runUntil([&] { return f.typed().ends_with("EF"); }, 10'000);
  EXPECT_EQ(f.typed(), typed + "EF");
}

TEST(QtSerialPort, ReaderUnpluggedAndPluggedBackAtTheSamePathIsReopenedAndTypesOnce) {
  PtyFixture f;
  const std::filesystem::path link = f.dir.path() / "reader";
  auto first = std::make_unique<ReaderPty>(link);
  f.mapPorts({{1, link.string()}});
  f.link.connection().SetuzokuCmd_Click();
  ASSERT_TRUE(f.port.isOpen());
  first->write("AB");
  ASSERT_TRUE(f.runUntil([&] { return f.typed() == "AB"; }, 10'000));
  first->vanish();
  ASSERT_TRUE(f.runUntil([&] { return !f.port.isOpen(); }, 10'000));
  EXPECT_TRUE(f.window.caption().starts_with("未接続:COM1 " + link.string() + ":[")) << f.window.caption();
  ReaderPty second(link);
  EXPECT_TRUE(f.runUntil([&] { return f.port.isOpen(); }, 10'000));
  EXPECT_EQ(f.window.connectButtonText(), "接続中");
  second.write("CD");
  EXPECT_TRUE(f.runUntil([&] { return f.typed() == "ABCD"; }, 10'000));
  expectNothingTypedTwice(f, second, "ABCD");
}

TEST(QtSerialPort, ReaderPluggedInAfterStartUpIsOpenedAndTypesOnce) {
  PtyFixture f;
  const std::filesystem::path link = f.dir.path() / "reader";
  f.mapPorts({{1, link.string()}});
  f.window.setCaption("COM");
  f.link.connection().connectAtStartup();
  EXPECT_FALSE(f.port.isOpen());
  EXPECT_EQ(f.window.caption(), "未接続:COM1 " + link.string());
  ReaderPty reader(link);
  EXPECT_TRUE(f.runUntil([&] { return f.port.isOpen(); }, 10'000));
  EXPECT_EQ(f.window.caption(), "COM");
  reader.write("AB");
  EXPECT_TRUE(f.runUntil([&] { return f.typed() == "AB"; }, 10'000));
  expectNothingTypedTwice(f, reader, "AB");
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

TEST(QtInstanceLock, ALockFileThatCannotBeMadeDoesNotStopTheProgram) {
  test::TempDir dir;
  test::writeFile(dir / "plain", "x");
  QtInstanceLock lock(dir / "plain" / "QELT.LCK");
  EXPECT_TRUE(lock.tryAcquire());
}

TEST(QtInstanceLock, OneLockPerProgramFolderInTheRuntimeFolder) {
  test::TempDir runtime;
  std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string before = saved != nullptr ? saved : "";
  ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  const auto a = instanceLockFile("/srv/a");
  const auto b = instanceLockFile("/srv/b");
  const auto aAgain = instanceLockFile("/srv/a/");
  if (saved != nullptr) {
    ::setenv("XDG_RUNTIME_DIR", before.c_str(), 1);
  } else {
    ::unsetenv("XDG_RUNTIME_DIR");
  }
  EXPECT_EQ(a.parent_path(), runtime.path());
  EXPECT_EQ(a, aAgain);
  EXPECT_NE(a, b);
}

/// Opens device as the unprivileged user nobody in a child process; the result comes
/// back as "ok|description|advice".
std::string openAsNobody(const std::string& device) {
  int channel[2];
  if (::pipe(channel) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    QtSerialPort port;
    PortRequest request;
    request.device = device;
    const PortResult result = port.open(request);
    const std::string answer = (result.ok ? "1|" : "0|") + result.description + "|" + result.advice;
    const bool written = ::write(channel[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
    ::_exit(written ? 0 : 4);
  }
  ::close(channel[1]);
  std::string answer;
  char buffer[512];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, size_t(got));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return answer;
}

/// A device node the test user may not open, with the given group and mode; a plain file
/// stands in where device nodes cannot be made.
std::filesystem::path deniedDevice(const test::TempDir& dir, gid_t group, mode_t mode) {
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_exec |
                                               std::filesystem::perms::others_exec);
  const auto node = dir / "ttyREADER";
  if (::mknod(node.c_str(), S_IFCHR | mode, makedev(4, 64)) != 0) test::writeFile(node, "");
  EXPECT_EQ(::chown(node.c_str(), 0, group), 0);
  EXPECT_EQ(::chmod(node.c_str(), mode), 0);
  return node;
}

TEST(QtSerialPort, PortOfAGroupTheUserIsNotInGivesTheUsermodCommand) {
  const group* dialout = ::getgrnam("dialout");
  if (dialout == nullptr || ::geteuid() != 0) GTEST_SKIP() << "needs root and the group dialout";
  test::TempDir dir;
  const auto device = deniedDevice(dir, dialout->gr_gid, 0660);
  const std::string answer = openAsNobody(device.string());
  EXPECT_TRUE(answer.starts_with("0|" + device.string() + ": ")) << answer;
  const std::string command = "sudo usermod -aG dialout nobody";
  const auto split = answer.rfind('|');
  ASSERT_NE(split, std::string::npos) << answer;
  const std::string description = answer.substr(0, split);
  const std::string advice = answer.substr(split + 1);
  // The log line (the description) and the box (the advice) both name the group and the fix.
  for (const auto& text : {description, advice}) {
    EXPECT_NE(text.find("グループ dialout"), std::string::npos) << text;
    EXPECT_NE(text.find(command), std::string::npos) << text;
  }
}

TEST(QtSerialPort, PortNoGroupMayOpenPointsToAUdevRule) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root";
  test::TempDir dir;
  const auto device = deniedDevice(dir, 0, 0600);
  const std::string answer = openAsNobody(device.string());
  EXPECT_NE(answer.find("モード 0600"), std::string::npos) << answer;
  EXPECT_NE(answer.find("udev"), std::string::npos) << answer;
  EXPECT_EQ(answer.find("usermod"), std::string::npos) << answer;
}

TEST(QtSerialPort, MissingDeviceGivesNoPermissionAdvice) {
  test::TempDir dir;
  const std::string answer = openAsNobody((dir / "ttyNONE").string());
  EXPECT_TRUE(answer.starts_with("0|")) << answer;
  EXPECT_TRUE(answer.ends_with("|")) << answer;
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
