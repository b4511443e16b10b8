#include "platform/x11/KeySlots.h"

#include <algorithm>
#include <thread>

#include "platform/common/BindingPlanner.h"

namespace orbelin::platform::x11 {

KeySlots::KeySlots(std::vector<int> keycodes) : KeySlots(std::move(keycodes), Timing{}) {}

KeySlots::KeySlots(std::vector<int> keycodes, Timing timing, int levels)
    : m_timing(std::move(timing)), m_levels(std::clamp(levels, 1, 4)) {
  if (!m_timing.sleepFor) m_timing.sleepFor = [](Clock::duration d) { std::this_thread::sleep_for(d); };
  // Slots typed without modifiers first: each further level costs modifier presses.
  for (int level = 0; level < m_levels; ++level) {
    for (int keycode : keycodes) m_slots.push_back(Slot{keycode, level});
  }
}

void KeySlots::waitUntil(Clock::time_point when) const {
  const auto now = m_timing.now();
  if (when > now) m_timing.sleepFor(when - now);
}

KeySlots::Clock::time_point KeySlots::lastActivityOf(int keycode) const {
  Clock::time_point last{};
  for (const auto& slot : m_slots) {
    if (slot.keycode == keycode) last = std::max({last, slot.lastUse, slot.lastPress});
  }
  return last;
}

KeySlots::Clock::time_point KeySlots::idleSince(int keycode) const {
  const auto last = lastActivityOf(keycode);
  return planActive() ? std::max(last, m_planTouched) : last;
}

bool KeySlots::isHeld(int keycode) const {
  return std::any_of(m_slots.begin(), m_slots.end(), [&](const Slot& s) { return s.keycode == keycode && s.held; });
}

void KeySlots::change(const std::vector<int>& keycodes, const Binder& bind) {
  // Every press of a keycode must have been handled before its row changes.
  Clock::time_point handled{};
  for (int keycode : keycodes) {
    const auto last = lastActivityOf(keycode);
    if (last != Clock::time_point{}) handled = std::max(handled, last + kSettle);
  }
  waitUntil(handled);
  std::vector<Row> rows;
  for (int keycode : keycodes) {
    Row row{keycode, std::vector<Keysym>(static_cast<std::size_t>(m_levels), kNoKeysym)};
    for (const auto& slot : m_slots) {
      if (slot.keycode == keycode) row.keysyms[static_cast<std::size_t>(slot.level)] = slot.keysym;
    }
    rows.push_back(std::move(row));
  }
  bind(rows);
  ++m_changes;
  const auto now = m_timing.now();
  for (auto& slot : m_slots) {
    if (std::find(keycodes.begin(), keycodes.end(), slot.keycode) != keycodes.end()) slot.changedAt = now;
  }
}

KeySlots::Slot* KeySlots::boundSlot(Keysym keysym, bool anyLevel) {
  auto bound = std::find_if(m_slots.begin(), m_slots.end(),
                            [&](const Slot& s) { return s.keysym == keysym && (anyLevel || s.level == 0); });
  return bound == m_slots.end() ? nullptr : &*bound;
}

std::optional<KeySlots::Key> KeySlots::use(Slot& slot) {
  waitUntil(slot.changedAt + kSettle);
  slot.lastUse = m_timing.now();
  return Key{slot.keycode, slot.level};
}

std::optional<KeySlots::Key> KeySlots::rebindLeastRecentlyUsed(Keysym keysym, const Binder& bind, bool anyLevel) {
  // Never-used and given-back slots have the oldest use, so they go first.
  Slot* oldest = nullptr;
  for (auto& slot : m_slots) {
    const bool usable = (anyLevel || slot.level == 0) && !isHeld(slot.keycode);
    if (usable && (oldest == nullptr || slot.lastUse < oldest->lastUse)) oldest = &slot;
  }
  if (oldest == nullptr) return std::nullopt;
  oldest->keysym = keysym;
  change({oldest->keycode}, bind);
  return use(*oldest);
}

std::optional<KeySlots::Key> KeySlots::acquire(Keysym keysym, const Binder& bind, bool anyLevel) {
  std::lock_guard lock(m_mutex);
  if (Slot* bound = boundSlot(keysym, anyLevel)) return use(*bound);
  return rebindLeastRecentlyUsed(keysym, bind, anyLevel);
}

void KeySlots::plan(std::span<const Keysym> ahead) {
  std::lock_guard lock(m_mutex);
  m_ahead.assign(ahead.begin(), ahead.end());
  m_next = 0;
  m_planTouched = m_timing.now();
}

std::optional<KeySlots::Key> KeySlots::acquireNext(Keysym keysym, const Binder& bind, bool anyLevel) {
  std::lock_guard lock(m_mutex);
  const bool inTurn = planActive() && m_ahead[m_next] == keysym;
  if (!inTurn) {
    m_ahead.clear();
    m_next = 0;
  } else if (boundSlot(keysym, anyLevel) == nullptr) {
    bindStretch(bind, anyLevel);
  }
  std::optional<Key> key;
  if (Slot* bound = boundSlot(keysym, anyLevel)) {
    key = use(*bound);
  } else {
    key = rebindLeastRecentlyUsed(keysym, bind, anyLevel);
  }
  if (inTurn) {
    ++m_next;
    m_planTouched = m_timing.now();
  }
  return key;
}

void KeySlots::bindStretch(const Binder& bind, bool anyLevel) {
  // Keycodes whose last press may still be pending would hold up the change; among the
  // rest, fewer modifiers to press.
  const auto now = m_timing.now();
  auto pending = [&](const Slot* s) {
    const auto last = lastActivityOf(s->keycode);
    return last != Clock::time_point{} && last + kSettle > now;
  };
  std::vector<Slot*> usable;
  for (auto& slot : m_slots) {
    if ((anyLevel || slot.level == 0) && !isHeld(slot.keycode)) usable.push_back(&slot);
  }
  std::stable_sort(usable.begin(), usable.end(), [&](const Slot* a, const Slot* b) {
    return std::pair{pending(a), a->level} < std::pair{pending(b), b->level};
  });
  std::vector<std::int32_t> bound;
  for (const Slot* slot : usable) bound.push_back(static_cast<std::int32_t>(slot->keysym));
  std::vector<std::int32_t> ahead;
  for (auto it = m_ahead.begin() + static_cast<std::ptrdiff_t>(m_next); it != m_ahead.end(); ++it) {
    ahead.push_back(static_cast<std::int32_t>(*it));
  }
  std::vector<int> keycodes;
  std::vector<Slot*> changed;
  for (const auto& [index, character] : planNextChange(bound, ahead)) {
    Slot& slot = *usable[index];
    slot.keysym = static_cast<Keysym>(character);
    changed.push_back(&slot);
    if (std::find(keycodes.begin(), keycodes.end(), slot.keycode) == keycodes.end()) keycodes.push_back(slot.keycode);
  }
  if (keycodes.empty()) return;
  std::sort(keycodes.begin(), keycodes.end());
  change(keycodes, bind);
  // A fresh binding counts as used: the least recently used ones are older.
  for (Slot* slot : changed) slot->lastUse = m_timing.now();
}

void KeySlots::noteKeyEvent(int keycode, bool down) {
  std::lock_guard lock(m_mutex);
  for (auto& slot : m_slots) {
    if (slot.keycode != keycode) continue;
    if (slot.level == 0) slot.held = down;
    slot.lastPress = m_timing.now();
  }
}

bool KeySlots::releaseIdle(const Binder& bind) {
  std::lock_guard lock(m_mutex);
  std::vector<int> keycodes;
  for (const auto& slot : m_slots) {
    if (slot.level != 0 || isHeld(slot.keycode) || m_timing.now() - idleSince(slot.keycode) < kIdleRelease) continue;
    const bool bound = std::any_of(m_slots.begin(), m_slots.end(),
                                   [&](const Slot& s) { return s.keycode == slot.keycode && s.keysym != kNoKeysym; });
    if (bound) keycodes.push_back(slot.keycode);
  }
  if (keycodes.empty()) return false;
  for (auto& slot : m_slots) {
    if (std::find(keycodes.begin(), keycodes.end(), slot.keycode) != keycodes.end()) slot.keysym = kNoKeysym;
  }
  change(keycodes, bind);
  // A given-back keycode is the first to be lent again.
  for (auto& slot : m_slots) {
    if (std::find(keycodes.begin(), keycodes.end(), slot.keycode) != keycodes.end()) slot.lastUse = slot.lastPress = {};
  }
  return true;
}

void KeySlots::releaseAll(const Binder& bind) {
  std::lock_guard lock(m_mutex);
  std::vector<int> keycodes;
  for (auto& slot : m_slots) {
    if (slot.keysym == kNoKeysym) continue;
    slot.keysym = kNoKeysym;
    if (std::find(keycodes.begin(), keycodes.end(), slot.keycode) == keycodes.end()) keycodes.push_back(slot.keycode);
  }
  if (keycodes.empty()) return;
  std::sort(keycodes.begin(), keycodes.end());
  change(keycodes, bind);
}

std::optional<KeySlots::Clock::time_point> KeySlots::idleDeadline() const {
  std::lock_guard lock(m_mutex);
  std::optional<Clock::time_point> deadline;
  for (const auto& slot : m_slots) {
    if (slot.keysym == kNoKeysym || isHeld(slot.keycode)) continue;
    const auto due = idleSince(slot.keycode) + kIdleRelease;
    if (!deadline || due < *deadline) deadline = due;
  }
  return deadline;
}

Keymap KeySlots::reconcile(const std::function<Keymap()>& read) {
  std::lock_guard lock(m_mutex);
  Keymap keymap = read();
  // A keycode that does not show what we put there belongs to another program now. The
  // server may fill an unbound level itself (the upper case of a letter, the first
  // group again in the second).
  std::vector<int> taken;
  for (const auto& slot : m_slots) {
    if (slot.level > 0 && slot.keysym == kNoKeysym) continue;
    if (keymap.keysym(slot.keycode, slot.level) != slot.keysym) taken.push_back(slot.keycode);
  }
  std::erase_if(m_slots, [&](const Slot& slot) { return std::find(taken.begin(), taken.end(), slot.keycode) != taken.end(); });
  return keymap;
}

std::size_t KeySlots::slotCount() const {
  std::lock_guard lock(m_mutex);
  return m_slots.size();
}

std::vector<int> KeySlots::keycodes() const {
  std::lock_guard lock(m_mutex);
  std::vector<int> keycodes;
  for (const auto& slot : m_slots) {
    if (slot.level == 0) keycodes.push_back(slot.keycode);
  }
  return keycodes;
}

int KeySlots::mappingChanges() const {
  std::lock_guard lock(m_mutex);
  return m_changes;
}

}  // namespace orbelin::platform::x11
