#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktopkeyboard/DesktopKeyboard.h"
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
class WaylandKeyboard final : public DesktopKeyboard {
 public:
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

  /// Always a window: the compositor delivers keys to its focus, which a client cannot see.
  std::optional<WindowId> focusWindow() override;
  void prepareCharacters(std::span<const char32_t> characters) override;

  /// Releases every key this keyboard pressed and has not released yet, last first.
  void releaseAll();
  /// Keymaps uploaded so far (for measurements).
  int keymapUploads() const { return m_uploads; }
  /// How many characters outside the layout one keymap holds.
  std::size_t bindingCapacity() const { return m_keymap->capacity(); }
  /// False once the connection to the compositor is lost.
  bool connected() const;

 private:
  WaylandKeyboard(std::unique_ptr<Connection> connection, std::unique_ptr<BindingKeymap> keymap, Pause pause);
  void keysymEvent(Keysym keysym, std::uint8_t virtualKey, bool up) override;
  /// Types the character by its key on the layout or by a keycode bound to it.
  void typeKeysym(Keysym keysym) override;
  std::optional<LayoutKey> layoutKeyOf(Keysym keysym) override;
  /// A round trip: the compositor has every key sent.
  void awaitClients() override;
  bool upload();
  void sendKey(int keycode, bool down);
  void sendModifiers();
  void sendModifiers(std::uint32_t depressed, std::uint32_t locked);
  void tap(int keycode, bool shifted);
  void flush() override;
  bool bindForTyping(Keysym keysym);
  void releaseHeld(Keysym keysym);

  std::unique_ptr<Connection> m_connection;
  std::unique_ptr<BindingKeymap> m_keymap;
  xkb_state* m_state = nullptr;
  std::vector<std::int32_t> m_ahead;
  std::size_t m_aheadPosition = 0;
  std::chrono::steady_clock::time_point m_start;
  std::chrono::steady_clock::time_point m_firstKeyAt;
  int m_uploads = 0;
  int m_keysSinceSync = 0;
};

}  // namespace orbelin::platform::wayland
