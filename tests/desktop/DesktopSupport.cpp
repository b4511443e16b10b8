#include "DesktopSupport.h"

// Google Test before Xlib, whose macros (None ...) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>

#include "TextBoxDriver.h"
#include "support/WaitFor.h"

namespace orbelin::test {

using namespace std::chrono_literals;

std::filesystem::path besideThisProgram(const char* name) {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

std::string fileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string programLogs(const std::filesystem::path& dir) {
  return "ERROR.LOG:\n" + fileText(dir / "ERROR.LOG") + "COMRECV.LOG:\n" + fileText(dir / "COMRECV.LOG");
}

std::optional<std::string> textOnceTyped(x11::TextBoxDriver& client, platform::Keyboard& keyboard, std::size_t size) {
  using namespace std::chrono_literals;
  std::optional<std::string> typed;
  waitFor([&] {
    typed = client.text(keyboard);
    return typed && typed->size() >= size;
  }, 60s);
  return typed;
}

ReaderPty::ReaderPty(std::filesystem::path linkPath) : link(std::move(linkPath)) {
  termios raw{};
  cfmakeraw(&raw);
  raw.c_cflag = (raw.c_cflag & ~(CSIZE | PARENB)) | CS8;
  // A speed the program never sets, so that its own settings show it has the port.
  cfsetspeed(&raw, B38400);
  char ptyName[128] = {};
  if (openpty(&master, &slave, ptyName, &raw, nullptr) != 0) return;
  device = ptyName;
  // Programs the test starts must not hold the line open: the reader's end closing is
  // what the program has to notice.
  fcntl(master, F_SETFD, FD_CLOEXEC);
  fcntl(slave, F_SETFD, FD_CLOEXEC);
  if (!link.empty()) {
    std::error_code ignored;
    std::filesystem::remove(link, ignored);
    std::filesystem::create_symlink(device, link);
  }
}

ReaderPty::~ReaderPty() { vanish(); }

void ReaderPty::vanish() {
  if (master >= 0) ::close(master);
  if (slave >= 0) ::close(slave);
  master = slave = -1;
  if (!link.empty()) {
    std::error_code ignored;
    std::filesystem::remove(link, ignored);
    // Once gone, the name may be a new reader's.
    link.clear();
  }
}

bool ReaderPty::openedByProgram() const {
  termios now{};
  return master >= 0 && tcgetattr(master, &now) == 0 && cfgetospeed(&now) == B9600;
}

void ReaderPty::write(const std::string& bytes) const {
  // A burst longer than the line's buffer goes out as the program reads it.
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t wrote = ::write(master, bytes.data() + done, bytes.size() - done);
    ASSERT_GT(wrote, 0) << "the pty refused the reader's bytes";
    done += static_cast<std::size_t>(wrote);
  }
}

int ReaderPty::unread() const {
  int count = -1;
  return ioctl(slave, FIONREAD, &count) == 0 ? count : -1;
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

void writeSettings(const std::filesystem::path& dir, const std::string& device, const std::string& keySection,
                   const std::string& portKeys) {
  std::ofstream ini(dir / "QELT.INI");
  ini << "[COM]\r\nPort=1\r\nBaud=9600\r\nLog=1\r\nTask=1\r\nTaskShift=0\r\nDelayTime=0\r\n" << portKeys
      << "[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=3\r\n"
      << "[PORTS]\r\n1=" << device << "\r\n";
  if (!keySection.empty()) ini << "[KEY]\r\n" << keySection;
}

void finish(const std::filesystem::path& dir, pid_t program, pid_t tray) {
  std::ofstream(dir / "FINISH.TXT") << "";
  int status = -1;
  const bool ended = waitFor([&] { return waitpid(program, &status, WNOHANG) == program; }, 60s);
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

RunningProgram::RunningProgram(const std::filesystem::path& folder)
    : dir(folder),
      tray(start({"trayer", "--SetDockType", "true"})),
      program(start({besideThisProgram("orbelin").string(), "--dir", folder.string()})) {}

namespace {

std::optional<std::string> statusTitle(Display* x, Window window) {
  const Atom netName = XInternAtom(x, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(x, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::optional<std::string> title;
  if (XGetWindowProperty(x, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success &&
      data != nullptr) {
    const std::string text(reinterpret_cast<char*>(data), count);
    if (text.starts_with("接続中") || text.starts_with("未接続")) title = text;
    XFree(data);
  }
  return title;
}

}  // namespace

std::optional<std::string> mainWindowCaption() {
  Display* x = XOpenDisplay(nullptr);
  if (x == nullptr) return std::nullopt;
  std::optional<std::string> caption;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  // Top-level windows only: the main window is one, mapped or hidden in the tray.
  if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count && !caption; ++i) caption = statusTitle(x, children[i]);
    if (children != nullptr) XFree(children);
  }
  XCloseDisplay(x);
  return caption;
}

}  // namespace orbelin::test
