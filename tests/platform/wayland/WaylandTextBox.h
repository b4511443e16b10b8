#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

#include "platform/Keyboard.h"

namespace orbelin::test::wayland {

/// Starts the text box client of the keyboard tests (orbelin_x11_textbox, a plain Qt
/// program, beside the running program) as a Wayland client and reads its text back.
/// The compositor gives a new window the focus; the box reports it once a keyboard
/// exists in the seat. Every wait has a generous guard so a broken client fails the
/// test instead of hanging it.
class WaylandTextBox {
 public:
  using Idle = std::function<void()>;

  /// Starts the client; waitForFocus false returns once its window is shown.
  explicit WaylandTextBox(bool waitForFocus = true);
  ~WaylandTextBox();
  WaylandTextBox(const WaylandTextBox&) = delete;
  WaylandTextBox& operator=(const WaylandTextBox&) = delete;

  /// True once the client runs (and, when waited for, its text box has the focus).
  bool ready() const { return m_ready; }
  const std::string& problem() const { return m_problem; }

  /// Presses F12 through keyboard and returns the client's text once every key typed
  /// before has been handled; nothing when the client does not answer.
  std::optional<std::string> text(platform::Keyboard& keyboard, const Idle& idle = {});

 private:
  std::optional<std::string> waitForLine(std::string_view prefix, const Idle& idle);

  pid_t m_pid = -1;
  int m_toClient = -1;
  int m_fromClient = -1;
  std::string m_buffer;
  bool m_ready = false;
  std::string m_problem;
};

}  // namespace orbelin::test::wayland
