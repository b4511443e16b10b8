#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/desktop/NoKeyboard.h"
#include "platform/EventLoop.h"
#include "platform/Keyboard.h"
#include "platform/SerialPort.h"
#include "platform/StableSerialNames.h"
#include "platform/SystemSerialPorts.h"

namespace orbelin::app {

/// Which keyboard to type through: auto picks the Wayland one in a Wayland session whose
/// compositor offers a virtual keyboard, else the X11 one.
enum class KeyboardChoice { Auto, Wayland, X11 };

/// The choice named "auto", "wayland" or "x11"; nothing for any other name.
std::optional<KeyboardChoice> parseKeyboardChoice(std::string_view name);

/// The keyboard and clipboard records are typed through, chosen for this system once at
/// start-up: the only place that knows which backends exist.
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

/// The serial port of this system, its notifications delivered through loop.
std::unique_ptr<platform::SerialPort> makeSerialPort(platform::EventLoop& loop);

/// The stable names of the serial devices plugged in, for the settings dialog's port
/// list; none on Windows, whose COM numbers are the devices' names.
platform::StableSerialNames stableSerialNames();

/// The COM ports the system reports, for the same list: the registry's on Windows; none
/// on Linux, whose ports are the device paths of the settings file.
platform::SystemSerialPorts systemSerialPorts();

/// True when a notification-area host shows the tray icon's balloon messages as such
/// (a StatusNotifier host on Linux desktops; always on Windows).
bool trayShowsMessages();

/// Puts the entry that starts program at sign-in where this system looks for it (the
/// Startup folder's "Orbelin.lnk" on Windows, the autostart desktop entry elsewhere).
/// Fails silently, as the menu command does.
void writeStartupEntry(const std::filesystem::path& program, const std::optional<std::filesystem::path>& programDir);

/// Why no window can be shown (Qt would abort without a display); nothing when one can.
std::optional<std::string> missingDisplay();

}  // namespace orbelin::app
