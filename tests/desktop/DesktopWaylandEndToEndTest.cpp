// The real program as a client of a private headless sway: it types through the virtual
// keyboard it creates at start, COM1 is a pty, framed records written into the pty
// arrive in a Wayland text box, and FINISH.TXT ends the program.
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

#include "WaylandTextBox.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "support/TempDir.h"
#include "support/WaitFor.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;

std::string fileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(DesktopWayland, TypesFramedRecordsThroughTheVirtualKeyboardAndEndsOnFinishMarker) {
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
  const pid_t pid = fork();
  if (pid == 0) {
    const int quiet = ::open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    execl(program.c_str(), program.c_str(), "--keyboard", "wayland", "--dir", folder.c_str(), nullptr);
    _exit(127);
  }
  const auto openedByProgram = [&] {
    termios now{};
    return tcgetattr(master, &now) == 0 && cfgetospeed(&now) == B9600;
  };
  ASSERT_TRUE(waitFor(openedByProgram, 30s)) << "orbelin never opened COM1";

  // The program's keyboard is in the seat already: the new client gets the focus.
  wayland::WaylandTextBox client;
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::wayland::WaylandKeyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;

  // "ABC123" in ASCII, then "アイ" as the reader's code page 932 bytes.
  const std::string records = "\x02" "ABC123\r" "\x02\x83\x41\x83\x43\r";
  ASSERT_EQ(::write(master, records.data(), records.size()), ssize_t(records.size()));
  std::optional<std::string> typed;
  waitFor([&] {
    typed = client.text(*opened.keyboard);
    return typed && *typed == "ABC123アイ";
  }, 30s);
  EXPECT_EQ(typed.value_or("<no answer>"), "ABC123アイ")
      << "ERROR.LOG:\n" << fileText(dir.path() / "ERROR.LOG") << "COMRECV.LOG:\n" << fileText(dir.path() / "COMRECV.LOG");

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
