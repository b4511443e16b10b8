#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/x11/Keymap.h"

namespace orbelin::platform::x11 {

/// The spare keycodes of the keymap (those without keysyms), lent to characters and keys
/// that the keymap lacks. Each keycode holds two bindings, one typed alone and one with
/// Shift. A client re-reads the keymap when it handles the mapping notification, so a
/// keycode is pressed only once its binding has settled, is rebound only once its last
/// press has been handled, and bindings are kept and reused while typing goes on.
/// Keycodes idle for a while and all keycodes at the end are given back.
/// Thread-safe: the idle release runs on a thread of its own.
class KeySlots {
 public:
  using Clock = std::chrono::steady_clock;
  /// Maps keycode to the two keysyms (kNoKeysym for none; none at all gives the keycode
  /// back) and waits until the server has done so.
  using Binder = std::function<void(int keycode, Keysym unshifted, Keysym shifted)>;
  /// A bound key: its keycode and whether Shift selects the binding.
  struct Key {
    int keycode = 0;
    bool shifted = false;
    bool operator==(const Key&) const = default;
  };
  /// Time source and sleep, replaceable so the bookkeeping can be checked without waiting.
  struct Timing {
    std::function<Clock::time_point()> now = [] { return Clock::now(); };
    std::function<void(Clock::duration)> sleepFor;
  };

  /// How long a client needs to take in a mapping change or a press before the next change.
  static constexpr std::chrono::milliseconds kSettle{50};
  /// Bindings unused for this long are given back.
  static constexpr std::chrono::seconds kIdleRelease{5};

  explicit KeySlots(std::vector<int> keycodes);
  KeySlots(std::vector<int> keycodes, Timing timing);
  KeySlots(const KeySlots&) = delete;
  KeySlots& operator=(const KeySlots&) = delete;

  /// The key that types keysym now: a slot bound to it, or the least recently used slot
  /// rebound to it (with shiftAllowed false only slots typed without Shift). Nothing
  /// when there are no slots or all are held down.
  std::optional<Key> acquire(Keysym keysym, const Binder& bind, bool shiftAllowed = true);
  /// Notes that the key of keycode went down (held until it goes up) or up.
  void noteKeyEvent(int keycode, bool down);
  /// Gives back the keycodes that have not been used for kIdleRelease; true if any.
  bool releaseIdle(const Binder& bind);
  /// Gives back every bound keycode, waiting for its last press to be handled first.
  void releaseAll(const Binder& bind);
  /// When releaseIdle has work to do next; nothing while no keycode is bound and free.
  std::optional<Clock::time_point> idleDeadline() const;
  /// Re-reads the keymap through read and drops the slots that someone else has bound.
  Keymap reconcile(const std::function<Keymap()>& read);

  /// Bindings available: two for each spare keycode.
  std::size_t slotCount() const;
  /// Mapping changes made so far (bindings and releases).
  int mappingChanges() const;

 private:
  struct Slot {
    int keycode = 0;
    bool shifted = false;
    Keysym keysym = kNoKeysym;
    /// When the binding was last asked for: the order in which slots are reused.
    Clock::time_point lastUse{};
    /// When the keycode was last pressed or released, with either binding.
    Clock::time_point lastPress{};
    Clock::time_point changedAt{};
    bool held = false;
  };

  void waitUntil(Clock::time_point when) const;
  void rebind(Slot& slot, Keysym keysym, const Binder& bind);
  /// Both slots of keycode: unshifted first.
  std::pair<Slot*, Slot*> slotsOf(int keycode);
  /// The last use or press of keycode with either binding.
  Clock::time_point lastActivityOf(int keycode) const;
  bool isHeld(int keycode) const;

  Timing m_timing;
  mutable std::mutex m_mutex;
  std::vector<Slot> m_slots;
  int m_changes = 0;
};

}  // namespace orbelin::platform::x11
