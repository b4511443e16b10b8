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

}  // namespace orbelin::platform
