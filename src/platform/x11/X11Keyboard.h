#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktopkeyboard/DesktopKeyboard.h"
#include "platform/x11/DisplayHandle.h"
#include "platform/x11/KeySlots.h"
#include "platform/keysyms/Keymap.h"
#include "platform/x11/LayoutKeys.h"

namespace orbelin::platform::x11 {

// The keysym tables are shared with the Wayland keyboard.
using namespace keysyms;

/// The keyboard mapping of display as it is now.
Keymap readKeymap(::_XDisplay* display);

/// The keyboard of an X11 session (XWayland included) through the XTEST extension.
/// Key events press the keys of the live keymap; a posted character is typed by its own
/// key when the keymap has one and otherwise by a spare keycode lent to its keysym, so
/// Japanese text arrives whole. An input method (fcitx5, ibus) that composes is switched
/// off for each record and on again after it, so keys reach the program as typed. Every key it presses is released again, at the latest by
/// releaseAll() and the destructor. One thread uses it; an internal thread gives unused
/// spare keycodes back.
class X11Keyboard final : public DesktopKeyboard {
 public:
  /// The keyboard, or no keyboard and why not.
  struct Opened {
    std::unique_ptr<X11Keyboard> keyboard;
    std::string reason;
  };

  /// Connects to displayName (nullptr: the DISPLAY variable). Fails without an X display
  /// or without the XTEST extension (a pure Wayland session, the console).
  static Opened open(const char* displayName = nullptr, Pause pause = {});

  ~X11Keyboard() override;

  std::optional<WindowId> focusWindow() override;
  /// Plans the spare keycodes for the characters of a record that the layout lacks.
  void prepareCharacters(std::span<const char32_t> characters) override;

  /// Releases every key this keyboard pressed and has not released yet, last first.
  void releaseAll();
  /// Mapping changes made for spare keycodes so far (for measurements).
  int mappingChanges() const { return m_slots.mappingChanges(); }
  /// How many bindings the spare keycodes of the keymap offer (two on each, four where
  /// the keymap has a group switch key).
  std::size_t spareBindings() const { return m_slots.slotCount(); }

 private:
  /// How long a client may take to answer a ping before the mapping changes all the same:
  /// a client that far behind under load is more likely than one that never answers.
  static constexpr std::chrono::milliseconds kClientAnswer{5000};

  X11Keyboard(DisplayPtr display, DisplayPtr idleDisplay, Pause pause);
  void flush() override;
  void keysymEvent(Keysym keysym, std::uint8_t virtualKey, bool up) override;
  void typeKeysym(Keysym keysym) override;
  std::optional<LayoutKey> layoutKeyOf(Keysym keysym) override;
  /// Reads the keymap again: switching the method may change the layout.
  void recordBegun() override;
  /// Waits for the focus client while the method is off: a long record can leave the
  /// program seconds behind the keys sent.
  void awaitClients() override;
  /// Changes the mapping once the focus client has handled every key sent so far: one
  /// that is behind would read the new mapping for keys pressed under the old one.
  KeySlots::Binder binder();
  /// Notes what an event that arrived while waiting for something else means to us.
  void noteEvent(const ::_XEvent& event);
  void refreshKeymap();
  int keycodeForPress(Keysym keysym, std::uint8_t virtualKey);
  void fakeKey(int keycode, bool down);
  /// Presses keycode at level (bit 0 Shift, bit 1 the group switch key).
  void tap(int keycode, int level);
  /// True when a key of the layout itself types keysym.
  bool typedByLayout(Keysym keysym) const;
  bool canShift() const;
  bool capsLockInverts(int keycode);
  void releaseHeld(Keysym keysym);
  void wakeIdleRelease();
  /// Wakes the idle release if the mapping changed since it had changes changes.
  void wakeIdleReleaseAfter(int changes);
  void runIdleRelease(std::stop_token stop);

  DisplayPtr m_display;
  bool m_mappingSeen = false;
  /// The type of XKB events (only keyboard and map changes are selected); -1 without XKB.
  int m_xkbEventBase = -1;
  DisplayPtr m_idleDisplay;
  /// The keymap without the lent keycodes.
  Keymap m_keymap;
  int m_groupSwitch = 0;
  /// The virtual keys of m_keymap's keys.
  LayoutKeys m_layoutKeys;
  KeySlots m_slots;
  std::mutex m_wakeMutex;
  std::condition_variable_any m_wake;
  bool m_woken = false;
  std::jthread m_idleRelease;
};

}  // namespace orbelin::platform::x11
