#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/keysyms/Keymap.h"

namespace orbelin::platform::x11 {

// The keysym tables are shared with the Wayland keyboard.
using namespace keysyms;

/// The virtual keys of the server's layout, as Windows gives every key of a layout one:
/// a key whose unshifted keysym has a virtual key of its own gets that one (a -> 'A');
/// another key of the main block (the digit row of "fr", "ß" of "de") gets the virtual
/// key of its position on the US layout or, when that is taken, a spare one whose
/// keysym no key of the layout has unshifted. So every character of the main block can
/// be reported as a virtual key with its Shift and AltGr state, and pressing that
/// virtual key reaches the same key again.
class LayoutKeys {
 public:
  /// Where a character sits: its virtual key and key, with Shift and level 3 (AltGr).
  struct Place {
    std::uint8_t virtualKey = 0;
    int keycode = 0;
    bool shifted = false;
    bool altGr = false;
  };

  LayoutKeys() = default;
  explicit LayoutKeys(const Keymap& keymap);

  /// The first key (lowest keycode) that types keysym with a virtual key, levels 1 and 2
  /// before level 3 and 4 of the same key; levels 3 and 4 only when the layout has a
  /// level-3 key.
  std::optional<Place> placeOf(Keysym keysym) const;
  /// The key that a virtual key was given by position or as a spare; 0 for a virtual key
  /// that the key's own unshifted keysym reaches, or none.
  int keycodeOfPositionKey(std::uint8_t virtualKey) const { return m_positionKeycode[virtualKey]; }

 private:
  Keymap m_keymap;
  bool m_hasLevel3 = false;
  std::array<std::uint8_t, 256> m_virtualKey{};
  std::array<int, 256> m_positionKeycode{};
};

}  // namespace orbelin::platform::x11
