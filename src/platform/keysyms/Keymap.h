#pragma once

#include <optional>
#include <vector>

#include "platform/keysyms/VirtualKeys.h"

namespace orbelin::platform::keysyms {

/// A snapshot of the core keyboard mapping: for each keycode its keysym columns
/// (column 0 unshifted, column 1 with Shift, further columns for other groups and
/// levels such as AltGr).
class Keymap {
 public:
  /// Where a keysym sits: its keycode and whether Shift selects it.
  struct Place {
    int keycode = 0;
    bool shifted = false;
  };

  Keymap() = default;
  /// columns keysyms for each keycode from minKeycode on, row after row.
  Keymap(int minKeycode, int columns, std::vector<Keysym> keysyms);

  int minKeycode() const { return m_minKeycode; }
  int maxKeycode() const;
  /// The keysym in column of keycode; kNoKeysym outside the map.
  Keysym keysym(int keycode, int column) const;
  /// The first keycode whose unshifted keysym is keysym; 0 for none.
  int keycodeOf(Keysym keysym) const;
  /// The first key (lowest keycode) that types keysym unshifted or with Shift and has a
  /// virtual key, with that virtual key. AltGr levels do not count.
  std::optional<std::pair<Place, std::uint8_t>> virtualKeyPlaceOf(Keysym keysym) const;
  /// A place that types keysym, unshifted places first.
  std::optional<Place> placeOf(Keysym keysym) const;
  /// Keycodes without any keysym: free to bind for a while.
  std::vector<int> emptyKeycodes() const;
  /// This keymap with the rows of keycodes emptied.
  Keymap without(const std::vector<int>& keycodes) const;

 private:
  int m_minKeycode = 0;
  int m_columns = 0;
  std::vector<Keysym> m_keysyms;
};

}  // namespace orbelin::platform::keysyms
