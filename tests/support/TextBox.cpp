#include "support/TextBox.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/WaitFor.h"

extern char** environ;

namespace orbelin::test {

namespace {

int ignoreXError(Display*, XErrorEvent*) { return 0; }

constexpr auto kGuard = std::chrono::seconds(60);
constexpr std::uint8_t kF12 = 0x7B;
constexpr std::uint8_t kF12Scan = 88;

std::filesystem::path clientProgram() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "orbelin_textbox";
}

std::string fromHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

}  // namespace

TextBox::TextBox(Focus focus) {
  int toClient[2];
  int fromClient[2];
  if (pipe(toClient) != 0 || pipe(fromClient) != 0) {
    m_problem = "pipe failed";
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toClient[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fromClient[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, toClient[1]);
  posix_spawn_file_actions_addclose(&actions, fromClient[0]);
  const std::string program = clientProgram().string();
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  const int spawned = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(toClient[0]);
  close(fromClient[1]);
  m_toClient = toClient[1];
  m_fromClient = fromClient[0];
  if (spawned != 0) {
    m_pid = -1;
    m_problem = "cannot start " + program;
    return;
  }
  const auto readyLine = waitForLine("ready ", {});
  if (!readyLine) {
    m_problem = "the text box client did not start";
    return;
  }
  m_window = std::stoul(*readyLine);
  if (focus == Focus::Give) {
    m_ready = giveFocus();
  } else if (focus == Focus::Await && !waitForLine("focus", {})) {
    m_problem = "the text box did not get the focus";
  } else {
    m_ready = true;
  }
}

TextBox::~TextBox() {
  if (m_toClient >= 0) close(m_toClient);
  if (m_pid > 0) {
    // Closing its input ends the client; a client that hangs is ended by force.
    if (!waitFor([this] { return waitpid(m_pid, nullptr, WNOHANG) == m_pid; }, std::chrono::seconds(5))) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
  }
  if (m_fromClient >= 0) close(m_fromClient);
}

bool TextBox::giveFocus() {
  const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) {
    m_problem = "no display";
    return false;
  }
  // The window may not be viewable yet; focus can only go to a viewable window.
  waitFor([&] {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display.get(), m_window, &attributes) != 0 && attributes.map_state == IsViewable;
  }, std::chrono::seconds(4));
  // A window that never became viewable makes the focus request fail; the wait below
  // then reports it instead of the default error handler ending the test program.
  const auto previous = XSetErrorHandler(ignoreXError);
  XSetInputFocus(display.get(), m_window, RevertToParent, CurrentTime);
  XSync(display.get(), False);
  XSetErrorHandler(previous);
  if (!waitForLine("focus", {})) {
    m_problem = "the text box did not get the focus";
    return false;
  }
  return true;
}

std::optional<std::string> TextBox::waitForLine(std::string_view prefix, const Idle& idle) {
  const auto deadline = std::chrono::steady_clock::now() + kGuard;
  while (std::chrono::steady_clock::now() < deadline) {
    for (auto end = m_buffer.find('\n'); end != std::string::npos; end = m_buffer.find('\n')) {
      const std::string line = m_buffer.substr(0, end);
      m_buffer.erase(0, end + 1);
      if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    }
    pollfd poller{m_fromClient, POLLIN, 0};
    const int ready = poll(&poller, 1, idle ? 10 : 1000);
    if (ready < 0 && errno != EINTR) return std::nullopt;
    if (ready > 0) {
      char chunk[4096];
      const ssize_t got = read(m_fromClient, chunk, sizeof chunk);
      if (got <= 0) return std::nullopt;
      m_buffer.append(chunk, static_cast<std::size_t>(got));
    }
    if (idle) idle();
  }
  return std::nullopt;
}

std::optional<std::string> TextBox::text(platform::Keyboard& keyboard, const Idle& idle) {
  keyboard.keyEvent(kF12, kF12Scan, 0);
  keyboard.keyEvent(kF12, kF12Scan, platform::kKeyUp);
  keyboard.sleep(0);
  const auto hex = waitForLine("text ", idle);
  if (!hex) return std::nullopt;
  return fromHex(*hex);
}

std::optional<std::string> TextBox::textOnce(platform::Keyboard& keyboard,
                                             const std::function<bool(const std::string&)>& done) {
  std::optional<std::string> typed;
  waitFor([&] {
    typed = text(keyboard);
    return typed && done(*typed);
  }, kGuard);
  return typed;
}

std::optional<std::string> TextBox::textOnceTyped(platform::Keyboard& keyboard, std::size_t size) {
  return textOnce(keyboard, [size](const std::string& typed) { return typed.size() >= size; });
}

}  // namespace orbelin::test
