// The real program on a private X display: COM1 is a pty, a text box client holds the
// focus, framed records written into the pty arrive there as typed text, and FINISH.TXT
// ends the program.
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

#include "TextBoxDriver.h"
#include "platform/x11/X11Keyboard.h"
#include "support/TempDir.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;

std::filesystem::path besideThisProgram(const char* name) {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

/// Polls done every 20 ms for at most guard; the guard only keeps a broken run from hanging.
template <typename Done>
bool waitFor(Done done, std::chrono::milliseconds guard) {
  const auto end = std::chrono::steady_clock::now() + guard;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

/// A pty that the program opens as COM1; the test writes as the reader would.
struct ReaderPty {
  ReaderPty() {
    termios raw{};
    cfmakeraw(&raw);
    raw.c_cflag = (raw.c_cflag & ~(CSIZE | PARENB)) | CS8;
    // A speed the program never sets, so that its own settings show it has the port.
    cfsetspeed(&raw, B38400);
    char name[128] = {};
    if (openpty(&master, &slave, name, &raw, nullptr) == 0) device = name;
  }
  ~ReaderPty() {
    if (master >= 0) ::close(master);
    if (slave >= 0) ::close(slave);
  }
  bool openedByProgram() const {
    termios now{};
    return tcgetattr(master, &now) == 0 && cfgetospeed(&now) == B9600;
  }
  void write(const std::string& bytes) const { ASSERT_EQ(::write(master, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  int master = -1;
  int slave = -1;
  std::string device;
};

std::string fileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

pid_t start(const std::vector<std::string>& command) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    const int quiet = ::open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void writeSettings(const std::filesystem::path& dir, const std::string& device, const std::string& keySection = {}) {
  std::ofstream ini(dir / "QELT.INI");
  ini << "[COM]\r\nPort=1\r\nBaud=9600\r\nLog=1\r\nTask=1\r\nTaskShift=0\r\nDelayTime=0\r\n"
      << "[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=3\r\n"
      << "[PORTS]\r\n1=" << device << "\r\n";
  if (!keySection.empty()) ini << "[KEY]\r\n" << keySection;
}

/// Ends the program through FINISH.TXT (killing it if it does not end) and the tray host.
void finish(const std::filesystem::path& dir, pid_t program, pid_t tray) {
  std::ofstream(dir / "FINISH.TXT") << "";
  int status = -1;
  const bool ended = waitFor([&] { return waitpid(program, &status, WNOHANG) == program; }, 20s);
  EXPECT_TRUE(ended);
  if (!ended) {
    kill(program, SIGKILL);
    waitpid(program, &status, 0);
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  if (tray > 0) {
    kill(tray, SIGTERM);
    waitpid(tray, nullptr, 0);
  }
}

TEST(Desktop, TypesFramedRecordsFromTheSerialPortAndEndsOnFinishMarker) {
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device.empty());
  writeSettings(dir.path(), reader.device);
  const pid_t tray = start({"trayer", "--SetDockType", "true"});
  const pid_t program = start({besideThisProgram("orbelin").string(), "--dir", dir.path().string()});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 20s)) << "orbelin never opened COM1";

  x11::TextBoxDriver client;
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;

  // "ABC123" in ASCII, then "アイ" as the reader's code page 932 bytes.
  reader.write("\x02" "ABC123\r");
  reader.write("\x02\x83\x41\x83\x43\r");
  std::optional<std::string> typed;
  waitFor([&] {
    typed = client.text(*opened.keyboard);
    return typed && *typed == "ABC123アイ";
  }, 20s);
  EXPECT_EQ(typed.value_or("<no answer>"), "ABC123アイ")
      << "ERROR.LOG:\n" << fileText(dir.path() / "ERROR.LOG") << "COMRECV.LOG:\n" << fileText(dir.path() / "COMRECV.LOG");

  finish(dir.path(), program, tray);
}

// Qt's standard options reach Qt: -platform names the plugin where no display is set,
// and the program opens its port and ends on FINISH.TXT as usual.
TEST(Desktop, StartsOnThePlatformPluginQtsOptionNames) {
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device.empty());
  writeSettings(dir.path(), reader.device);
  const pid_t program = start({"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                               besideThisProgram("orbelin").string(), "--dir", dir.path().string(), "-platform",
                               "offscreen", "-qwindowtitle", "Orbelin", "-reverse"});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 20s))
      << "orbelin never opened COM1; ERROR.LOG:\n" << fileText(dir.path() / "ERROR.LOG");
  finish(dir.path(), program, 0);
}

// The tabs of the first scan are typed with pauses (the fixed 100 ms and KeyWeight on
// either side) that let the program's event loop run; a scan that arrives meanwhile is
// typed after the first, whole.
TEST(Desktop, ScanArrivingWhileAnotherIsTypedComesAfterIt) {
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device.empty());
  writeSettings(dir.path(), reader.device, "KeyWeight=20\r\n");
  const pid_t tray = start({"trayer", "--SetDockType", "true"});
  const pid_t program = start({besideThisProgram("orbelin").string(), "--dir", dir.path().string()});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 20s)) << "orbelin never opened COM1";

  x11::TextBoxDriver client;
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;

  std::string first;
  for (int field = 1; field <= 20; ++field) first += (field > 1 ? "\t" : "") + std::string("A") + std::to_string(field);
  reader.write("\x02" + first + "\r");
  // Once the first record is in the receive log its typing (about three seconds) begins;
  // a loaded machine that is slower only makes the second scan come earlier, which must
  // come out the same.
  waitFor([&] { return fileText(dir.path() / "COMRECV.LOG").find("A20") != std::string::npos; }, 20s);
  std::this_thread::sleep_for(300ms);
  reader.write("\x02" "B1B2B3\r");
  waitFor([&] { return fileText(dir.path() / "COMRECV.LOG").find("B1B2B3") != std::string::npos; }, 20s);
  const std::string expected = first + "B1B2B3";
  std::optional<std::string> typed;
  waitFor([&] {
    typed = client.text(*opened.keyboard);
    return typed && typed->size() >= expected.size();
  }, 60s);
  EXPECT_EQ(typed.value_or("<no answer>"), expected)
      << "ERROR.LOG:\n" << fileText(dir.path() / "ERROR.LOG") << "COMRECV.LOG:\n" << fileText(dir.path() / "COMRECV.LOG");

  finish(dir.path(), program, tray);
}

}  // namespace
}  // namespace orbelin::test
