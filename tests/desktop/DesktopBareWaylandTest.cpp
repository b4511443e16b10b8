// The real program in a Wayland session whose compositor has no virtual keyboard (GNOME,
// KDE Plasma), with XWayland played by a private Xvfb display: it says once that keys
// reach only X11 programs, keeps running, and types records into an X11 text box.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "BareCompositor.h"
#include "TextBoxDriver.h"
#include "convert/codec/Cp932.h"
#include "platform/x11/X11Keyboard.h"
#include "support/TempDir.h"
#include "support/WaitFor.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;

std::string fileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(DesktopBareWayland, SaysKeysReachOnlyX11ProgramsAndTypesIntoThem) {
  wayland::BareCompositor compositor;
  ASSERT_NE(compositor.socket(), nullptr);
  TempDir dir;
  termios raw{};
  cfmakeraw(&raw);
  raw.c_cflag = (raw.c_cflag & ~(CSIZE | PARENB)) | CS8;
  cfsetspeed(&raw, B38400);
  int master = -1;
  int slave = -1;
  char device[128] = {};
  ASSERT_EQ(openpty(&master, &slave, device, &raw, nullptr), 0);
  {
    std::ofstream ini(dir.path() / "QELT.INI");
    ini << "[COM]\r\nPort=1\r\nBaud=9600\r\nLog=1\r\nTask=1\r\nTaskShift=0\r\nDelayTime=0\r\n"
        << "[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=3\r\n"
        << "[PORTS]\r\n1=" << device << "\r\n";
  }
  const std::string program = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "orbelin").string();
  const std::string folder = dir.path().string();
  const std::string socket = compositor.socket();
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("WAYLAND_DISPLAY", socket.c_str(), 1);
    const int quiet = ::open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execl(program.c_str(), program.c_str(), "--dir", folder.c_str(), nullptr);
    _exit(127);
  }
  const auto openedByProgram = [&] {
    termios now{};
    return tcgetattr(master, &now) == 0 && cfgetospeed(&now) == B9600;
  };
  ASSERT_TRUE(waitFor(openedByProgram, 30s)) << "orbelin never opened COM1";
  // ERROR.LOG is written in code page 932.
  const std::string notice = codec::toCp932("キー入力は X11 のプログラムにしか届きません");
  const auto noticed = [&] { return fileText(dir.path() / "ERROR.LOG").find(notice) != std::string::npos; };
  EXPECT_TRUE(waitFor(noticed, 30s)) << fileText(dir.path() / "ERROR.LOG");

  x11::TextBoxDriver client;
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;
  const std::string record = "\x02" "X11-42\r";
  ASSERT_EQ(::write(master, record.data(), record.size()), ssize_t(record.size()));
  std::optional<std::string> typed;
  waitFor([&] {
    typed = client.text(*opened.keyboard);
    return typed && *typed == "X11-42";
  }, 30s);
  EXPECT_EQ(typed.value_or("<no answer>"), "X11-42") << "ERROR.LOG:\n" << fileText(dir.path() / "ERROR.LOG");

  std::ofstream(dir.path() / "FINISH.TXT") << "";
  int status = -1;
  const bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 60s);
  EXPECT_TRUE(ended);
  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ::close(master);
  ::close(slave);
}

}  // namespace
}  // namespace orbelin::test
