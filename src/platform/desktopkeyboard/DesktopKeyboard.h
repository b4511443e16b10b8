#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/inputmethod/InputMethodSwitch.h"
#include "platform/keysyms/VirtualKeys.h"

namespace orbelin::platform {

/// What the X11 and the Wayland keyboards share: both type keysyms, so the engine's
/// virtual keys and characters become keysyms here and a backend only sends them; both
/// switch the desktop's input method (fcitx5, ibus) off for each record and on again a
/// moment after it; both can trace what they are asked to do as transcript lines ("key
/// VK SCAN FLAGS", "ime CODE", "sleep MS") and pause through the application's pause.
/// It also keeps the list of the keys a backend holds down, so every one is released.
class DesktopKeyboard : public Keyboard {
 public:
  /// A transfer pause. The default blocks; an application that owns the clipboard
  /// passes one that keeps answering clipboard requests (see qt::servingPause).
  using Pause = std::function<void(int ms)>;

  DesktopKeyboard(const DesktopKeyboard&) = delete;
  DesktopKeyboard& operator=(const DesktopKeyboard&) = delete;

  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) final;
  std::int16_t keyForCharacter(std::uint8_t character) final;
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) final;
  /// Types the character into the focus; window only has to be a window (0 types
  /// nothing), since synthetic input always goes to the focus.
  void postCharacter(WindowId window, char32_t character) final;
  void sleep(int ms) final;
  /// Switches a composing input method off for the record.
  void beginRecord() final;
  /// Switches it on again a moment after the record, longer after a long one
  /// (InputMethodSwitch::settleAfter).
  void endRecord() final;
  std::string takeNotice() final { return m_inputMethod.takeNotice(); }

  /// Writes every key event, posted character and pause to out as transcript lines;
  /// nullptr stops it.
  void setTrace(std::ostream* out) { m_trace = out; }

 protected:
  using Keysym = keysyms::Keysym;

  /// Where the layout has a key for a keysym, as keyForCharacter reports it.
  struct LayoutKey {
    std::uint8_t virtualKey;
    bool shifted;
    bool altGr = false;
  };

  /// A key held down by the engine, by the keysym it was pressed for.
  struct HeldKey {
    Keysym keysym;
    int keycode;
  };

  explicit DesktopKeyboard(Pause pause) : m_pause(std::move(pause)) {}
  ~DesktopKeyboard() override = default;

  /// Sends the requests still queued to the display server.
  virtual void flush() = 0;
  /// Presses or releases the key of keysym; virtualKey is the engine's key, whose
  /// position on the layout counts when no key has the keysym.
  virtual void keysymEvent(Keysym keysym, std::uint8_t virtualKey, bool up) = 0;
  /// Types the character of keysym, whatever the modifiers held and Caps Lock.
  virtual void typeKeysym(Keysym keysym) = 0;
  /// The key of the layout that types keysym; nothing when the layout has none.
  virtual std::optional<LayoutKey> layoutKeyOf(Keysym keysym) = 0;
  /// What a backend does once the method is off, before the record's first key.
  virtual void recordBegun() {}
  /// Waits, after the record's last key is flushed, until the clients have what was
  /// sent, before the method may come back on.
  virtual void awaitClients() = 0;

  /// Counts one key event of the record: the longer the record, the longer the method
  /// stays off after it.
  void countKeyEvent() { ++m_recordKeyEvents; }
  /// True while the method is off for a record.
  bool inputMethodHoldsOff() { return m_inputMethod.holdsOff(); }

  /// Notes keycode as held for keysym, once however often it is pressed.
  void notePressed(Keysym keysym, int keycode);
  /// The keycode held last for keysym, no longer held; nothing when none is.
  std::optional<int> takeHeld(Keysym keysym);
  /// The keycode held last, no longer held; nothing when none is.
  std::optional<int> takeLastHeld();
  const std::vector<HeldKey>& heldKeys() const { return m_held; }

 private:
  Pause m_pause;
  std::ostream* m_trace = nullptr;
  std::vector<HeldKey> m_held;
  inputmethod::InputMethodSwitch m_inputMethod;
  /// Key events sent since the record began.
  std::size_t m_recordKeyEvents = 0;
};

}  // namespace orbelin::platform
