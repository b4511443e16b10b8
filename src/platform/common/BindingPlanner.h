#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orbelin::platform {

/// A run of the characters ahead that one keymap change serves.
struct BindingStretch {
  /// One past its last character in the planned sequence.
  std::size_t end = 0;
  /// Its distinct characters, in order of first use.
  std::vector<std::int32_t> characters;
};

/// Cuts the characters ahead (in typing order, only those that need a lent binding) into
/// as few stretches as possible with at most capacity distinct characters each: a keymap
/// change costs a settling pause, a key press almost nothing, so the fewest changes win.
/// Greedy cutting is optimal here because stretches are contiguous. Empty when capacity
/// is 0 or nothing is ahead.
std::vector<BindingStretch> planBindingStretches(std::span<const std::int32_t> ahead, std::size_t capacity);

/// Of the bound characters that the next stretch does not need, the count ones to give up
/// first: those used again latest (or never) in ahead, from position from on.
std::vector<std::int32_t> chooseEvictions(std::span<const std::int32_t> bound, std::span<const std::int32_t> needed,
                                          std::span<const std::int32_t> ahead, std::size_t from, std::size_t count);

/// One binding of a keymap change: the slot (an index into the slots given) and the
/// character it is to type from then on.
struct SlotChange {
  std::size_t slot = 0;
  std::int32_t character = 0;
  bool operator==(const SlotChange&) const = default;
};

/// The one keymap change that lets the first stretch of ahead be typed: slots are the
/// bindings the keymap can lend, in order of preference, each with the character it
/// types now (0 when free). The characters of the stretch that are already bound stay
/// where they are; the others go to free slots first, then to those whose characters
/// are used again latest (or never). Empty when the stretch needs no change.
std::vector<SlotChange> planNextChange(std::span<const std::int32_t> slots, std::span<const std::int32_t> ahead);

}  // namespace orbelin::platform
