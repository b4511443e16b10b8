#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "platform/keysyms/Keymap.h"

namespace orbelin::platform::x11 {

// The keysym tables are shared with the Wayland keyboard.
using namespace keysyms;

/// The spare keycodes of the keymap (those without keysyms), lent to characters and keys
/// that the keymap lacks. Each keycode holds two bindings, one typed alone and one with
/// Shift, or four where a group switch key reaches a second group. A client re-reads the
/// keymap when it handles the mapping notification, so a keycode is pressed only once its
/// binding has settled, is rebound only once its last press has been handled, and
/// bindings are kept and reused while typing goes on. Given the characters a record is
/// about to type, a miss binds the whole stretch ahead in one change instead of one
/// character. Keycodes idle for a while and all keycodes at the end are given back.
/// Thread-safe: the idle release runs on a thread of its own.
class KeySlots {
 public:
  using Clock = std::chrono::steady_clock;
  /// The new keysyms of one keycode, one for each level (kNoKeysym for none; none at all
  /// gives the keycode back).
  struct Row {
    int keycode = 0;
    std::vector<Keysym> keysyms;
  };
  /// Maps the rows' keycodes to their keysyms as one change and waits until the server
  /// has done so.
  using Binder = std::function<void(std::span<const Row> rows)>;
  /// A bound key: its keycode and level (bit 0 Shift, bit 1 the second group).
  struct Key {
    int keycode = 0;
    int level = 0;
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
  /// levels bindings on each keycode: 2, or 4 with a second group.
  KeySlots(std::vector<int> keycodes, Timing timing, int levels = 2);
  KeySlots(const KeySlots&) = delete;
  KeySlots& operator=(const KeySlots&) = delete;

  /// The key that types keysym now: a slot bound to it, or the least recently used slot
  /// rebound to it (with anyLevel false only slots typed without modifiers). Nothing
  /// when there are no slots or all are held down. Leaves the plan alone.
  std::optional<Key> acquire(Keysym keysym, const Binder& bind, bool anyLevel = true);
  /// The keysyms that acquireNext is about to be asked for, in order; replaces the last
  /// plan.
  void plan(std::span<const Keysym> ahead);
  /// As acquire, for the next keysym of the plan: a miss binds the whole stretch ahead
  /// that fits the slots in one change, keeping the bindings used again soonest. A keysym
  /// out of turn drops the plan.
  std::optional<Key> acquireNext(Keysym keysym, const Binder& bind, bool anyLevel = true);
  /// Notes that the key of keycode went down (held until it goes up) or up.
  void noteKeyEvent(int keycode, bool down);
  /// Gives back the keycodes that have not been used for kIdleRelease; true if any.
  /// Nothing is given back while a plan is being typed.
  bool releaseIdle(const Binder& bind);
  /// Gives back every bound keycode, waiting for its last press to be handled first.
  void releaseAll(const Binder& bind);
  /// When releaseIdle has work to do next; nothing while no keycode is bound and free.
  std::optional<Clock::time_point> idleDeadline() const;
  /// Re-reads the keymap through read and drops the slots that someone else has bound.
  Keymap reconcile(const std::function<Keymap()>& read);

  /// Bindings available: levels for each spare keycode.
  std::size_t slotCount() const;
  /// The spare keycodes still lent by this bookkeeping.
  std::vector<int> keycodes() const;
  /// Mapping changes made so far (bindings and releases); each may cover many keycodes.
  int mappingChanges() const;

 private:
  struct Slot {
    int keycode = 0;
    int level = 0;
    Keysym keysym = kNoKeysym;
    /// When the binding was last asked for: the order in which slots are reused.
    Clock::time_point lastUse{};
    /// When the keycode was last pressed or released, with any binding.
    Clock::time_point lastPress{};
    Clock::time_point changedAt{};
    bool held = false;
  };

  void waitUntil(Clock::time_point when) const;
  /// Writes the rows of keycodes as one change, once their last presses are handled.
  void change(const std::vector<int>& keycodes, const Binder& bind);
  Slot* boundSlot(Keysym keysym, bool anyLevel);
  std::optional<Key> rebindLeastRecentlyUsed(Keysym keysym, const Binder& bind, bool anyLevel);
  void bindStretch(const Binder& bind, bool anyLevel);
  std::optional<Key> use(Slot& slot);
  /// The last use or press of keycode with any binding.
  Clock::time_point lastActivityOf(int keycode) const;
  /// Since when keycode has been idle: while a plan is being typed, no earlier than its
  /// last step, so that bindings made for a stretch stay until it is typed.
  Clock::time_point idleSince(int keycode) const;
  bool isHeld(int keycode) const;
  bool planActive() const { return m_next < m_ahead.size(); }

  Timing m_timing;
  int m_levels;
  mutable std::mutex m_mutex;
  std::vector<Slot> m_slots;
  int m_changes = 0;
  std::vector<Keysym> m_ahead;
  std::size_t m_next = 0;
  Clock::time_point m_planTouched{};
};

}  // namespace orbelin::platform::x11
