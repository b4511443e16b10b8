#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

#include "platform/Keyboard.h"

namespace orbelin::test {

/// Starts the text box client (orbelin_textbox, beside the running program) on the
/// session's display, X11 or Wayland, and reads its text back. Every wait has a generous
/// guard so a broken client fails the test instead of hanging it.
class TextBox {
 public:
  /// Called while waiting for the client, e.g. to let this process answer clipboard
  /// requests.
  using Idle = std::function<void()>;

  enum class Focus {
    /// An X11 session: this driver gives the text box the keyboard focus.
    Give,
    /// A Wayland session: the compositor gives a new window the focus, and the box
    /// reports it once a keyboard exists in the seat.
    Await,
    /// Ready once the window is shown.
    Shown,
  };

  explicit TextBox(Focus focus);
  ~TextBox();
  TextBox(const TextBox&) = delete;
  TextBox& operator=(const TextBox&) = delete;

  /// True once the client runs (and, unless Focus::Shown, its text box has the focus).
  bool ready() const { return m_ready; }
  /// What went wrong when not ready.
  const std::string& problem() const { return m_problem; }
  /// The client's X window; 0 under Wayland.
  unsigned long window() const { return m_window; }

  /// Presses F12 through keyboard and returns the client's text once every key typed
  /// before has been handled; nothing when the client does not answer.
  std::optional<std::string> text(platform::Keyboard& keyboard, const Idle& idle = {});
  /// Asks for the text (a generous deadline) until done holds for it; what the box held
  /// last otherwise, nothing when it never answered.
  std::optional<std::string> textOnce(platform::Keyboard& keyboard,
                                      const std::function<bool(const std::string&)>& done);
  /// The text once it holds at least size bytes, as textOnce.
  std::optional<std::string> textOnceTyped(platform::Keyboard& keyboard, std::size_t size);

 private:
  std::optional<std::string> waitForLine(std::string_view prefix, const Idle& idle);
  bool giveFocus();

  pid_t m_pid = -1;
  int m_toClient = -1;
  int m_fromClient = -1;
  std::string m_buffer;
  unsigned long m_window = 0;
  bool m_ready = false;
  std::string m_problem;
};

}  // namespace orbelin::test
