#include "platform/keysyms/Keymap.h"

#include <algorithm>
#include <utility>

namespace orbelin::platform::keysyms {

Keymap::Keymap(int minKeycode, int columns, std::vector<Keysym> keysyms)
    : m_minKeycode(minKeycode), m_columns(columns > 0 ? columns : 1), m_keysyms(std::move(keysyms)) {}

int Keymap::maxKeycode() const {
  return m_minKeycode + static_cast<int>(m_keysyms.size() / static_cast<std::size_t>(m_columns)) - 1;
}

Keysym Keymap::keysym(int keycode, int column) const {
  if (keycode < m_minKeycode || keycode > maxKeycode() || column < 0 || column >= m_columns) return kNoKeysym;
  return m_keysyms[static_cast<std::size_t>((keycode - m_minKeycode) * m_columns + column)];
}

int Keymap::keycodeOf(Keysym wanted) const {
  if (wanted == kNoKeysym) return 0;
  for (int keycode = m_minKeycode; keycode <= maxKeycode(); ++keycode) {
    if (keysym(keycode, 0) == wanted) return keycode;
  }
  return 0;
}

std::optional<std::pair<Keymap::Place, std::uint8_t>> Keymap::virtualKeyPlaceOf(Keysym wanted) const {
  if (wanted == kNoKeysym) return std::nullopt;
  // Key by key, as Windows searches its layout tables: on pc105 "<" is Shift+comma,
  // not the extra key beside the left Shift.
  for (int keycode = m_minKeycode; keycode <= maxKeycode(); ++keycode) {
    for (int column = 0; column < 2 && column < m_columns; ++column) {
      if (keysym(keycode, column) != wanted) continue;
      if (auto virtualKey = virtualKeyOfKeysym(keysym(keycode, 0))) {
        return std::pair{Place{keycode, column == 1}, *virtualKey};
      }
    }
  }
  return std::nullopt;
}

std::optional<Keymap::Place> Keymap::placeOf(Keysym wanted) const {
  if (wanted == kNoKeysym) return std::nullopt;
  for (int column = 0; column < 2 && column < m_columns; ++column) {
    for (int keycode = m_minKeycode; keycode <= maxKeycode(); ++keycode) {
      if (keysym(keycode, column) == wanted) return Place{keycode, column == 1};
    }
  }
  return std::nullopt;
}

std::vector<int> Keymap::emptyKeycodes() const {
  std::vector<int> empty;
  for (int keycode = m_minKeycode; keycode <= maxKeycode(); ++keycode) {
    bool any = false;
    for (int column = 0; column < m_columns && !any; ++column) any = keysym(keycode, column) != kNoKeysym;
    if (!any) empty.push_back(keycode);
  }
  return empty;
}

Keymap Keymap::without(const std::vector<int>& keycodes) const {
  Keymap rest = *this;
  for (int keycode : keycodes) {
    if (keycode < m_minKeycode || keycode > maxKeycode()) continue;
    const auto row = static_cast<std::size_t>((keycode - m_minKeycode) * m_columns);
    std::fill_n(rest.m_keysyms.begin() + static_cast<std::ptrdiff_t>(row), m_columns, kNoKeysym);
  }
  return rest;
}

}  // namespace orbelin::platform::keysyms
