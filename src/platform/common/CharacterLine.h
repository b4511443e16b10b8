#pragma once

#include <string>

namespace orbelin::platform {

/// The transcript line of a posted character: "ime CODE", with the character's code page
/// 932 code as a signed 16-bit number (あ is -32096, A is 65, a stray byte its own value).
/// Apart from the transcript so that the X11 headers' macros never meet the interfaces.
std::string postedCharacterLine(char32_t character);

}  // namespace orbelin::platform
