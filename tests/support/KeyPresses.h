#pragma once

// Keys and characters sent through a keyboard backend as the engine sends them, for the
// tests that drive a backend directly.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Keyboard.h"

namespace orbelin::test {

inline constexpr std::uint8_t kShift = 0x10;
inline constexpr std::uint8_t kCtrl = 0x11;
inline constexpr std::uint8_t kCapsLock = 0x14;

/// One key down and up.
void press(platform::Keyboard& keyboard, std::uint8_t virtualKey, std::uint32_t flags = 0);
/// One key down and up while a modifier (its scan code and flags) is held.
void pressWith(platform::Keyboard& keyboard, std::uint8_t modifier, std::uint8_t modifierScan, std::uint32_t flags,
               std::uint8_t virtualKey);
/// Types ASCII text key by key, with Shift where the layout needs it.
void typeKeys(platform::Keyboard& keyboard, std::string_view text);
/// The characters of UTF-8 text as the keyboard takes them.
std::vector<char32_t> charactersOf(std::string_view utf8);
/// Posts UTF-8 text character by character to the focus window, announced first as the
/// engine does when announce holds.
void post(platform::Keyboard& keyboard, std::string_view utf8, bool announce);

}  // namespace orbelin::test
