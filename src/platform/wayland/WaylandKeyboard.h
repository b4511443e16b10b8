#pragma once

#include <chrono>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "platform/Keyboard.h"
#include "platform/inputmethod/InputMethodSwitch.h"
#include "platform/wayland/BindingKeymap.h"

struct xkb_state;

namespace orbelin::platform::wayland {

struct Connection;

/// The keyboard of a Wayland session through the compositor's virtual-keyboard protocol
/// (wlroots desktops: sway, Hyprland, river, labwc, Wayfire ...). One virtual keyboard is
/// created when it opens and kept until it ends, so the seat keeps its keyboard and no
/// client misses keys. Its keymap is the US layout plus the characters of the record
/// being typed: a new keymap is uploaded only when the characters ahead need one. Every
/// key it presses is released again, at the latest by releaseAll() and the destructor.
/// One thread uses it.
class WaylandKeyboard final : public Keyboard {
 public:
  /// A transfer pause; the default blocks.
  using Pause = std::function<void(int ms)>;

  /// Why no keyboard could be opened.
  enum class Failure { None, NoDisplay, NoVirtualKeyboard, NoKeymap };

  /// The keyboard, or no keyboard and why not.
  struct Opened {
    std::unique_ptr<WaylandKeyboard> keyboard;
    Failure failure = Failure::None;
    std::string reason;
  };

  /// Connects to displayName (nullptr: the WAYLAND_DISPLAY variable). Fails without a
  /// Wayland display or when the compositor lacks the virtual-keyboard protocol (GNOME,
  /// KDE Plasma).
  static Opened open(const char* displayName = nullptr, Pause pause = {});

  ~WaylandKeyboard() override;
  WaylandKeyboard(const WaylandKeyboard&) = delete;
  WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
  std::int16_t keyForCharacter(std::uint8_t character) override;
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) override;
  /// Always a window: the compositor delivers keys to its focus, which a client cannot see.
  std::optional<WindowId> focusWindow() override;
  /// Types the character by its key on the layout or by a keycode bound to it.
  void postCharacter(WindowId window, char32_t character) override;
  void sleep(int ms) override;
  void prepareCharacters(std::span<const char32_t> characters) override;
  /// Switches a composing input method (fcitx5, ibus) off for the record.
  void beginRecord() override;
  /// Switches it on again a moment after the record, longer after a long one
  /// (InputMethodSwitch::settleAfter).
  void endRecord() override;
  std::string takeNotice() override { return m_inputMethod.takeNotice(); }

  /// Releases every key this keyboard pressed and has not released yet, last first.
  void releaseAll();
  /// Writes every key event, posted character and pause to out as transcript lines
  /// ("key VK SCAN FLAGS", "ime CODE", "sleep MS"); nullptr stops it.
  void setTrace(std::ostream* out) { m_trace = out; }
  /// Keymaps uploaded so far (for measurements).
  int keymapUploads() const { return m_uploads; }
  /// How many characters outside the layout one keymap holds.
  std::size_t bindingCapacity() const { return m_keymap->capacity(); }
  /// False once the connection to the compositor is lost.
  bool connected() const;

 private:
  struct HeldKey {
    Keysym keysym;
    int keycode;
  };

  WaylandKeyboard(std::unique_ptr<Connection> connection, std::unique_ptr<BindingKeymap> keymap, Pause pause);
  bool upload();
  void sendKey(int keycode, bool down);
  void sendModifiers();
  void sendModifiers(std::uint32_t depressed, std::uint32_t locked);
  void tap(int keycode, bool shifted);
  void flush();
  bool bindForTyping(Keysym keysym);
  void releaseHeld(Keysym keysym);

  std::unique_ptr<Connection> m_connection;
  std::unique_ptr<BindingKeymap> m_keymap;
  xkb_state* m_state = nullptr;
  Pause m_pause;
  std::ostream* m_trace = nullptr;
  std::vector<HeldKey> m_held;
  std::vector<std::int32_t> m_ahead;
  std::size_t m_aheadPosition = 0;
  std::chrono::steady_clock::time_point m_start;
  std::chrono::steady_clock::time_point m_firstKeyAt;
  int m_uploads = 0;
  int m_keysSinceSync = 0;
  inputmethod::InputMethodSwitch m_inputMethod;
  /// Key events sent since the record began: how long the method stays off after it.
  std::size_t m_recordKeyEvents = 0;
};

}  // namespace orbelin::platform::wayland
