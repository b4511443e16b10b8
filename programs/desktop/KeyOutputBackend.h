#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "desktop/NoKeyboard.h"
#include "platform/Keyboard.h"

namespace orbelin::app {

/// Which keyboard to type through: auto picks the Wayland one in a Wayland session whose
/// compositor offers a virtual keyboard, else the X11 one.
enum class KeyboardChoice { Auto, Wayland, X11 };

/// The choice named "auto", "wayland" or "x11"; nothing for any other name.
std::optional<KeyboardChoice> parseKeyboardChoice(std::string_view name);

/// The keyboard and clipboard records are typed through, chosen for this system once at
/// start-up: the only place that chooses them, for the program and the replay tool alike.
class KeyOutputBackend {
 public:
  explicit KeyOutputBackend(KeyboardChoice choice = KeyboardChoice::Auto);
  ~KeyOutputBackend();
  KeyOutputBackend(const KeyOutputBackend&) = delete;
  KeyOutputBackend& operator=(const KeyOutputBackend&) = delete;

  /// The real keyboard, or one that finds no focus window when typing is impossible.
  platform::Keyboard& keyboard() { return m_keyboard ? *m_keyboard : m_none; }
  platform::Clipboard& clipboard() { return *m_clipboard; }
  /// True when keystrokes can be sent; otherwise reason() says why not.
  bool available() const { return m_keyboard != nullptr; }
  const std::string& reason() const { return m_reason; }
  /// What the user must know although keystrokes can be sent (a Wayland desktop where
  /// they reach only X11 programs); empty otherwise.
  const std::string& notice() const { return m_notice; }
  /// Lets go of every key still held down (the program is about to end at once).
  void releaseAll();

 private:
  std::unique_ptr<platform::Keyboard> m_keyboard;
  NoKeyboard m_none;
  std::unique_ptr<platform::Clipboard> m_clipboard;
  std::string m_reason;
  std::string m_notice;
  std::function<void()> m_releaseAll;
};

}  // namespace orbelin::app
