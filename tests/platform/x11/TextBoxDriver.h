#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

#include "platform/Keyboard.h"

namespace orbelin::test::x11 {

/// Starts the text box client (orbelin_x11_textbox, beside the running program), gives
/// it the keyboard focus and reads its text back. Every wait has a generous guard so a
/// broken client fails the test instead of hanging it.
class TextBoxDriver {
 public:
  /// Called while waiting for the client, e.g. to let this process answer clipboard
  /// requests.
  using Idle = std::function<void()>;

  TextBoxDriver();
  ~TextBoxDriver();
  TextBoxDriver(const TextBoxDriver&) = delete;
  TextBoxDriver& operator=(const TextBoxDriver&) = delete;

  /// True once the client runs and its text box has the focus.
  bool ready() const { return m_ready; }
  /// What went wrong when not ready.
  const std::string& problem() const { return m_problem; }
  /// The client's X window.
  unsigned long window() const { return m_window; }

  /// Presses F12 through keyboard and returns the client's text once every key typed
  /// before has been handled; nothing when the client does not answer.
  std::optional<std::string> text(platform::Keyboard& keyboard, const Idle& idle = {});

 private:
  std::optional<std::string> waitForLine(std::string_view prefix, const Idle& idle);
  bool focusClient();

  pid_t m_pid = -1;
  int m_toClient = -1;
  int m_fromClient = -1;
  std::string m_buffer;
  unsigned long m_window = 0;
  bool m_ready = false;
  std::string m_problem;
};

/// Keycodes without keysyms on the display right now.
std::size_t emptyKeycodeCount();

/// Decodes hexadecimal text ("41e3" ...) into bytes.
std::string fromHex(std::string_view hex);

}  // namespace orbelin::test::x11
