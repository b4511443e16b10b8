#include "platform/x11/KeySlots.h"

#include <algorithm>
#include <thread>

namespace orbelin::platform::x11 {

KeySlots::KeySlots(std::vector<int> keycodes) : KeySlots(std::move(keycodes), Timing{}) {}

KeySlots::KeySlots(std::vector<int> keycodes, Timing timing) : m_timing(std::move(timing)) {
  if (!m_timing.sleepFor) m_timing.sleepFor = [](Clock::duration d) { std::this_thread::sleep_for(d); };
  // Unshifted slots first: a Shift binding is only added beside an unshifted one.
  for (bool shifted : {false, true}) {
    for (int keycode : keycodes) m_slots.push_back(Slot{keycode, shifted});
  }
}

void KeySlots::waitUntil(Clock::time_point when) const {
  const auto now = m_timing.now();
  if (when > now) m_timing.sleepFor(when - now);
}

std::pair<KeySlots::Slot*, KeySlots::Slot*> KeySlots::slotsOf(int keycode) {
  std::pair<Slot*, Slot*> both{nullptr, nullptr};
  for (auto& slot : m_slots) {
    if (slot.keycode == keycode) (slot.shifted ? both.second : both.first) = &slot;
  }
  return both;
}

KeySlots::Clock::time_point KeySlots::lastActivityOf(int keycode) const {
  Clock::time_point last{};
  for (const auto& slot : m_slots) {
    if (slot.keycode == keycode) last = std::max({last, slot.lastUse, slot.lastPress});
  }
  return last;
}

bool KeySlots::isHeld(int keycode) const {
  return std::any_of(m_slots.begin(), m_slots.end(), [&](const Slot& s) { return s.keycode == keycode && s.held; });
}

void KeySlots::rebind(Slot& slot, Keysym keysym, const Binder& bind) {
  // Every press of the keycode must have been handled before its row changes.
  if (lastActivityOf(slot.keycode) != Clock::time_point{}) waitUntil(lastActivityOf(slot.keycode) + kSettle);
  slot.keysym = keysym;
  const auto [unshifted, shifted] = slotsOf(slot.keycode);
  bind(slot.keycode, unshifted ? unshifted->keysym : kNoKeysym, shifted ? shifted->keysym : kNoKeysym);
  ++m_changes;
  const auto now = m_timing.now();
  for (Slot* each : {unshifted, shifted}) {
    if (each != nullptr) each->changedAt = now;
  }
}

std::optional<KeySlots::Key> KeySlots::acquire(Keysym keysym, const Binder& bind, bool shiftAllowed) {
  std::lock_guard lock(m_mutex);
  auto usable = [&](const Slot& s) { return shiftAllowed || !s.shifted; };
  auto bound = std::find_if(m_slots.begin(), m_slots.end(), [&](const Slot& s) { return s.keysym == keysym && usable(s); });
  if (bound == m_slots.end()) {
    // Never-used and given-back slots have the oldest use, so they go first.
    Slot* oldest = nullptr;
    for (auto& slot : m_slots) {
      if (usable(slot) && !isHeld(slot.keycode) && (oldest == nullptr || slot.lastUse < oldest->lastUse)) {
        oldest = &slot;
      }
    }
    if (oldest == nullptr) return std::nullopt;
    rebind(*oldest, keysym, bind);
    bound = m_slots.begin() + (oldest - m_slots.data());
  }
  waitUntil(bound->changedAt + kSettle);
  bound->lastUse = m_timing.now();
  return Key{bound->keycode, bound->shifted};
}

void KeySlots::noteKeyEvent(int keycode, bool down) {
  std::lock_guard lock(m_mutex);
  const auto [unshifted, shifted] = slotsOf(keycode);
  if (unshifted == nullptr) return;
  unshifted->held = down;
  for (Slot* each : {unshifted, shifted}) {
    if (each != nullptr) each->lastPress = m_timing.now();
  }
}

bool KeySlots::releaseIdle(const Binder& bind) {
  std::lock_guard lock(m_mutex);
  bool released = false;
  for (auto& slot : m_slots) {
    if (slot.shifted || isHeld(slot.keycode) || m_timing.now() - lastActivityOf(slot.keycode) < kIdleRelease) continue;
    const auto [unshifted, shifted] = slotsOf(slot.keycode);
    if (unshifted->keysym == kNoKeysym && (shifted == nullptr || shifted->keysym == kNoKeysym)) continue;
    if (shifted != nullptr) shifted->keysym = kNoKeysym;
    rebind(*unshifted, kNoKeysym, bind);
    // A given-back keycode is the first to be lent again.
    for (Slot* each : {unshifted, shifted}) {
      if (each != nullptr) each->lastUse = each->lastPress = {};
    }
    released = true;
  }
  return released;
}

void KeySlots::releaseAll(const Binder& bind) {
  std::lock_guard lock(m_mutex);
  for (auto& slot : m_slots) {
    if (slot.shifted) continue;
    const auto [unshifted, shifted] = slotsOf(slot.keycode);
    if (unshifted->keysym == kNoKeysym && (shifted == nullptr || shifted->keysym == kNoKeysym)) continue;
    if (shifted != nullptr) shifted->keysym = kNoKeysym;
    rebind(*unshifted, kNoKeysym, bind);
  }
}

std::optional<KeySlots::Clock::time_point> KeySlots::idleDeadline() const {
  std::lock_guard lock(m_mutex);
  std::optional<Clock::time_point> deadline;
  for (const auto& slot : m_slots) {
    if (slot.keysym == kNoKeysym || isHeld(slot.keycode)) continue;
    const auto due = lastActivityOf(slot.keycode) + kIdleRelease;
    if (!deadline || due < *deadline) deadline = due;
  }
  return deadline;
}

Keymap KeySlots::reconcile(const std::function<Keymap()>& read) {
  std::lock_guard lock(m_mutex);
  Keymap keymap = read();
  // A keycode that does not show what we put there belongs to another program now. The
  // server may fill an unbound Shift column itself (the upper case of a letter).
  std::vector<int> taken;
  for (const auto& slot : m_slots) {
    if (slot.shifted && slot.keysym == kNoKeysym) continue;
    if (keymap.keysym(slot.keycode, slot.shifted ? 1 : 0) != slot.keysym) taken.push_back(slot.keycode);
  }
  std::erase_if(m_slots, [&](const Slot& slot) { return std::find(taken.begin(), taken.end(), slot.keycode) != taken.end(); });
  return keymap;
}

std::size_t KeySlots::slotCount() const {
  std::lock_guard lock(m_mutex);
  return m_slots.size();
}

int KeySlots::mappingChanges() const {
  std::lock_guard lock(m_mutex);
  return m_changes;
}

}  // namespace orbelin::platform::x11
