#include "platform/x11/LayoutKeys.h"

#include <X11/keysym.h>

namespace orbelin::platform::x11 {

namespace {

// The core keymap of an XKB server lists group 1 levels 1 and 2, group 2 levels 1 and 2,
// then group 1 levels 3 and 4.
constexpr int kLevel3Column = 4;
// X keycodes of the main block are the set-1 scan code plus 8, on the evdev and the
// older xfree86 keycodes alike.
constexpr int kScanCodeOffset = 8;

bool isTypingKey(std::uint8_t virtualKey) {
  return (virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z') ||
         (virtualKey >= 0xBA && virtualKey <= 0xC0) || (virtualKey >= 0xDB && virtualKey <= 0xDE) || virtualKey == 0xE2;
}

// The typing virtual key at a key's position on the US layout; 0 for none.
std::uint8_t virtualKeyAtPosition(int keycode) {
  const int scanCode = keycode - kScanCodeOffset;
  if (scanCode <= 0) return 0;
  for (int key = 1; key < 256; ++key) {
    const auto virtualKey = static_cast<std::uint8_t>(key);
    if (isTypingKey(virtualKey) && scanCodeOfVirtualKey(virtualKey) == scanCode) return virtualKey;
  }
  return 0;
}

}  // namespace

LayoutKeys::LayoutKeys(const Keymap& keymap) : m_keymap(keymap), m_hasLevel3(keymap.keycodeOf(XK_ISO_Level3_Shift) != 0) {
  std::array<bool, 256> taken{};
  const int last = keymap.maxKeycode() < 255 ? keymap.maxKeycode() : 255;
  const auto give = [&](int keycode, std::uint8_t virtualKey, bool byPosition) {
    taken[virtualKey] = true;
    m_virtualKey[static_cast<std::size_t>(keycode)] = virtualKey;
    if (byPosition) m_positionKeycode[virtualKey] = keycode;
  };
  for (int keycode = keymap.minKeycode(); keycode <= last; ++keycode) {
    const auto virtualKey = virtualKeyOfKeysym(keymap.keysym(keycode, 0));
    if (virtualKey && !taken[*virtualKey]) give(keycode, *virtualKey, false);
  }
  // The keys left over: first those whose position is free, then the rest with spares,
  // so a spare never takes the position of a key further on.
  const auto leftOver = [&](int keycode) {
    return m_virtualKey[static_cast<std::size_t>(keycode)] == 0 && virtualKeyAtPosition(keycode) != 0 &&
           keymap.keysym(keycode, 0) != kNoKeysym;
  };
  for (int keycode = keymap.minKeycode(); keycode <= last; ++keycode) {
    if (leftOver(keycode) && !taken[virtualKeyAtPosition(keycode)]) give(keycode, virtualKeyAtPosition(keycode), true);
  }
  int spare = 1;
  for (int keycode = keymap.minKeycode(); keycode <= last; ++keycode) {
    if (!leftOver(keycode)) continue;
    while (spare < 256 && (taken[static_cast<std::size_t>(spare)] || !isTypingKey(static_cast<std::uint8_t>(spare)))) ++spare;
    if (spare == 256) break;
    give(keycode, static_cast<std::uint8_t>(spare), true);
  }
}

std::optional<LayoutKeys::Place> LayoutKeys::placeOf(Keysym wanted) const {
  if (wanted == kNoKeysym) return std::nullopt;
  // Key by key, as Windows searches its layout tables (on pc105 "<" is Shift+comma, not
  // the extra key beside the left Shift); a character without AltGr anywhere wins.
  const int columns[] = {0, 1, kLevel3Column, kLevel3Column + 1};
  for (int first = 0; first < (m_hasLevel3 ? 4 : 2); first += 2) {
    for (int keycode = m_keymap.minKeycode(); keycode <= m_keymap.maxKeycode() && keycode < 256; ++keycode) {
      const std::uint8_t virtualKey = m_virtualKey[static_cast<std::size_t>(keycode)];
      if (virtualKey == 0) continue;
      for (int level = first; level < first + 2; ++level) {
        if (m_keymap.keysym(keycode, columns[level]) == wanted) return Place{virtualKey, keycode, level % 2 == 1, level >= 2};
      }
    }
  }
  return std::nullopt;
}

}  // namespace orbelin::platform::x11
