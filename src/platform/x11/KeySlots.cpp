#include "platform/x11/KeySlots.h"

#include <algorithm>
#include <thread>

namespace orbelin::platform::x11 {

KeySlots::KeySlots(std::vector<int> keycodes) : KeySlots(std::move(keycodes), Timing{}) {}

KeySlots::KeySlots(std::vector<int> keycodes, Timing timing) : m_timing(std::move(timing)) {
  if (!m_timing.sleepFor) m_timing.sleepFor = [](Clock::duration d) { std::this_thread::sleep_for(d); };
  for (int keycode : keycodes) m_slots.push_back(Slot{keycode});
}

void KeySlots::waitUntil(Clock::time_point when) const {
  const auto now = m_timing.now();
  if (when > now) m_timing.sleepFor(when - now);
}

KeySlots::Slot* KeySlots::find(int keycode) {
  auto it = std::find_if(m_slots.begin(), m_slots.end(), [&](const Slot& s) { return s.keycode == keycode; });
  return it == m_slots.end() ? nullptr : &*it;
}

void KeySlots::rebind(Slot& slot, Keysym keysym, const Binder& bind) {
  // The press of the old binding must have been handled before its keycode changes meaning.
  if (slot.keysym != kNoKeysym) waitUntil(slot.lastUse + kSettle);
  bind(slot.keycode, keysym);
  ++m_changes;
  slot.keysym = keysym;
  slot.changedAt = m_timing.now();
}

std::optional<int> KeySlots::acquire(Keysym keysym, const Binder& bind) {
  std::lock_guard lock(m_mutex);
  auto bound = std::find_if(m_slots.begin(), m_slots.end(), [&](const Slot& s) { return s.keysym == keysym; });
  if (bound == m_slots.end()) {
    // Never-used and given-back slots have the oldest use, so they go first.
    Slot* oldest = nullptr;
    for (auto& slot : m_slots) {
      if (!slot.held && (oldest == nullptr || slot.lastUse < oldest->lastUse)) oldest = &slot;
    }
    if (oldest == nullptr) return std::nullopt;
    rebind(*oldest, keysym, bind);
    bound = m_slots.begin() + (oldest - m_slots.data());
  }
  waitUntil(bound->changedAt + kSettle);
  bound->lastUse = m_timing.now();
  return bound->keycode;
}

void KeySlots::noteKeyEvent(int keycode, bool down) {
  std::lock_guard lock(m_mutex);
  if (Slot* slot = find(keycode)) {
    slot->held = down;
    slot->lastUse = m_timing.now();
  }
}

bool KeySlots::releaseIdle(const Binder& bind) {
  std::lock_guard lock(m_mutex);
  bool released = false;
  const auto now = m_timing.now();
  for (auto& slot : m_slots) {
    if (slot.keysym == kNoKeysym || slot.held || now - slot.lastUse < kIdleRelease) continue;
    rebind(slot, kNoKeysym, bind);
    released = true;
  }
  return released;
}

void KeySlots::releaseAll(const Binder& bind) {
  std::lock_guard lock(m_mutex);
  for (auto& slot : m_slots) {
    if (slot.keysym != kNoKeysym) rebind(slot, kNoKeysym, bind);
  }
}

std::optional<KeySlots::Clock::time_point> KeySlots::idleDeadline() const {
  std::lock_guard lock(m_mutex);
  std::optional<Clock::time_point> deadline;
  for (const auto& slot : m_slots) {
    if (slot.keysym == kNoKeysym || slot.held) continue;
    const auto due = slot.lastUse + kIdleRelease;
    if (!deadline || due < *deadline) deadline = due;
  }
  return deadline;
}

Keymap KeySlots::reconcile(const std::function<Keymap()>& read) {
  std::lock_guard lock(m_mutex);
  Keymap keymap = read();
  // A slot whose keycode does not show what we put there belongs to another program now.
  std::erase_if(m_slots, [&](const Slot& slot) { return keymap.keysym(slot.keycode, 0) != slot.keysym; });
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
