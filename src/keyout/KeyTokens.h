#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orbelin::keyout {

/// What a key token presses: a virtual key, up to two modifier keys held around it (0
/// for none) and the extended-key mark.
struct KeyAction {
  std::uint16_t virtualKey = 0;
  std::uint16_t modifier = 0;
  std::uint16_t modifier2 = 0;
  bool extended = false;

  bool operator==(const KeyAction&) const = default;
};

/// The brace groups that are not key presses.
enum class BraceToken { LiteralOpen, LiteralClose, Date, Time };

/// The key token spelled exactly as token (braces included, letter case significant):
/// "{ENTER}", "{F12}", "{C+A}". Nothing when token names no key.
std::optional<KeyAction> findKeyToken(std::string_view token);

/// "{{}", "{}}", "{Date}" or "{Time}"; nothing for any other text.
std::optional<BraceToken> findBraceToken(std::string_view token);

}  // namespace orbelin::keyout
