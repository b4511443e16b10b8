#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/win32/ImeOpenSwitch.h"

namespace orbelin::platform::win32 {

/// The Windows keyboard: key events through SendInput with the caller's virtual key, scan
/// code and extended flag; characters posted as WM_IME_CHAR (UTF-16, PostMessageW) to the
/// focus window of the foreground window's thread. A key event is waited for until the
/// foreground thread has taken it from its input queue: that thread reads posted messages
/// before input, so a character posted at once would overtake the key. Every key it pressed and has not
/// released is released by releaseAll() and the destructor. The focus window's IME is
/// closed for each record and opened again after it (ImeOpenSwitch).
class Win32Keyboard final : public Keyboard {
 public:
  /// A transfer pause. The default blocks; an application that owns the clipboard passes
  /// one that keeps serving it (see qt::servingPause).
  using Pause = std::function<void(int ms)>;

  explicit Win32Keyboard(Pause pause = {}, std::unique_ptr<ImeCalls> ime = makeSystemImeCalls())
      : m_pause(std::move(pause)), m_ime(std::move(ime)) {}
  ~Win32Keyboard() override;
  Win32Keyboard(const Win32Keyboard&) = delete;
  Win32Keyboard& operator=(const Win32Keyboard&) = delete;

  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
  std::int16_t keyForCharacter(std::uint8_t character) override;
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) override;
  /// The focus window of the foreground window's thread, reached by attaching this
  /// thread's input to it; nothing when there is no foreground window or the attach fails.
  std::optional<WindowId> focusWindow() override;
  /// Posts the character as one WM_IME_CHAR in UTF-16; a code that code page 932 does
  /// not assign posts nothing.
  void postCharacter(WindowId window, char32_t character) override;
  void sleep(int ms) override;
  /// Closes the focus window's IME when it is open.
  void beginRecord() override { m_ime.suspend(); }
  /// Opens the IME again that beginRecord closed.
  void endRecord() override { m_ime.restore(); }
  std::string takeNotice() override { return m_ime.takeNotice(); }

  /// Releases every key still held down, last pressed first.
  void releaseAll();

 private:
  void waitUntilTaken(std::uint8_t virtualKey, bool up);
  /// Attaches this thread's input to the foreground window's thread and stays attached
  /// until another thread is in front: detaching hands that thread a fresh key state, and
  /// a Shift pressed a moment ago would be lost. False when the attach fails.
  bool attachToForeground();
  void detach();

  Pause m_pause;
  ImeOpenSwitch m_ime;
  unsigned long m_attached = 0;
  std::vector<std::uint8_t> m_held;
};

/// The UTF-16 units of a character as postCharacter sends them (one, or two for a
/// character beyond the basic plane); empty for a value that is no character.
std::u16string utf16Of(char32_t character);

}  // namespace orbelin::platform::win32
