#pragma once

#include <cstdint>
#include <optional>

namespace orbelin::platform::keysyms {

/// An X keysym (the X headers' KeySym is unsigned long).
using Keysym = unsigned long;

inline constexpr Keysym kNoKeysym = 0;
/// Keysyms of Unicode characters outside Latin-1 are this offset plus the code point.
inline constexpr Keysym kUnicodeKeysymBase = 0x1000000;

/// The keysym a virtual key stands for. The scan code 0x36 turns Shift into the right
/// Shift, the extended flag turns Ctrl, Alt and Enter into the right Ctrl, right Alt and
/// keypad Enter, and the right Alt (VK_RMENU) into the level-3 key (AltGr). kNoKeysym
/// for a virtual key without one.
Keysym keysymOfVirtualKey(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags);

/// The keysym used when a right-hand modifier is missing from the keymap (Alt_R is
/// often AltGr): the left-hand one. kNoKeysym for any other keysym.
Keysym fallbackKeysym(Keysym keysym);

/// The virtual key of a key whose unshifted keysym is keysym (a -> 'A', comma -> 0xBC).
std::optional<std::uint8_t> virtualKeyOfKeysym(Keysym keysym);

/// The set-1 scan code of a virtual key as the US layout reports it; 0 when it has none.
std::uint8_t scanCodeOfVirtualKey(std::uint8_t virtualKey);

/// The key result of a control character (0-31, 127) in the form Windows reports for
/// the US layout: CR 0x000D, LF Ctrl+Enter 0x020D, 0x01 Ctrl+A 0x0241 ...
/// Nothing for any other character.
std::optional<std::int16_t> controlCharacterKey(std::uint8_t character);

/// The keysym of a Unicode character: Latin-1 keysyms for printable Latin-1, a Unicode
/// keysym above it, the function keysyms for BS, TAB, LF, CR and ESC; kNoKeysym for
/// other control characters and values that are no character (a stray byte's stand-in).
Keysym keysymOfCodePoint(char32_t codePoint);

}  // namespace orbelin::platform::keysyms
