#pragma once

#include <array>
#include <string>

namespace orbelin::settings {

/// The display names of the character codes 0 to 127: "<NUL>" ... "<S P>", the
/// character itself for 33 to 126, "<DEL>".
const std::array<std::string, 128>& ControlCodeNames();

}  // namespace orbelin::settings
