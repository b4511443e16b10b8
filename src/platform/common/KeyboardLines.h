#pragma once

#include <cstdint>
#include <string>

namespace orbelin::platform {

/// The transcript lines of what a keyboard is asked to do: the recording keyboard writes
/// them to its transcript, the X11 and Wayland keyboards to their traces. Apart from the
/// transcript so that the X11 headers' macros never meet the interfaces.

/// A key event: "key VK SCAN FLAGS".
std::string keyEventLine(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags);
/// A posted character: "ime CODE", with the character's code page 932 code as a signed
/// 16-bit number (あ is -32096, A is 65, a stray byte its own value).
std::string postedCharacterLine(char32_t character);
/// A transfer pause: "sleep MS".
std::string pauseLine(int ms);

}  // namespace orbelin::platform
