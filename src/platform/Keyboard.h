#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orbelin::platform {

/// A window that can receive posted characters; 0 is no window.
using WindowId = std::uint64_t;

/// Key event flags: the extended key bit and the key-up bit.
inline constexpr std::uint32_t kKeyExtended = 1;
inline constexpr std::uint32_t kKeyUp = 2;

/// keyForCharacter's answer: the shift state in the high byte (Shift; Ctrl+Alt, as a
/// character on the AltGr level is reported), and the value for no key.
inline constexpr int kShiftState = 1;
inline constexpr int kAltGrState = 6;
inline constexpr std::int16_t kNoKey = -1;

/// Synthetic keyboard input and the focus window, as the transfer procedures need them.
/// The event order, pauses and modifiers are the engine's; a backend only performs them.
class Keyboard {
 public:
  virtual ~Keyboard() = default;
  /// One synthetic key event: virtual key, scan code and flags (kKeyExtended, kKeyUp).
  virtual void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;
  /// The key that types a single-byte character on the current layout: virtual key in
  /// the low byte, shift state in the high byte (1 Shift, 2 Ctrl, 4 Alt); kNoKey for none.
  virtual std::int16_t keyForCharacter(std::uint8_t character) = 0;
  /// The scan code of a virtual key; 0 when it has none.
  virtual std::uint8_t scanCodeOf(std::uint8_t virtualKey) = 0;
  /// The window that has the keyboard focus in the foreground application; nothing when
  /// it cannot be reached.
  virtual std::optional<WindowId> focusWindow() = 0;
  /// Posts one whole character to window, a Unicode code point. A byte of the record
  /// that starts no character comes as the codec's stand-in for it, which types nothing.
  virtual void postCharacter(WindowId window, char32_t character) = 0;
  /// A transfer pause of ms milliseconds (nothing runs meanwhile).
  virtual void sleep(int ms) = 0;
  /// The characters that postCharacter is about to receive for one record, in order:
  /// lets a backend plan its key bindings for the whole record. A hint only; it types
  /// nothing.
  virtual void prepareCharacters(std::span<const char32_t> characters) { (void)characters; }
  /// Called before the first event of one record, in every transfer mode: lets a backend
  /// make the record arrive exactly as typed (an input method switched off, say).
  virtual void beginRecord() {}
  /// Called after the record's last event, after a failure too: gives back what
  /// beginRecord changed, so the user finds the desktop as it was.
  virtual void endRecord() {}
  /// A line for the error log about typing on this desktop (an input method that could
  /// not be switched off), each kind at most once per run; empty when there is none.
  virtual std::string takeNotice() { return {}; }
};

/// The system clipboard, plain text only.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  /// Clears the clipboard and puts text on it (an empty text too). False when the
  /// clipboard cannot be opened.
  virtual bool setText(std::string_view text) = 0;
};

}  // namespace orbelin::platform
