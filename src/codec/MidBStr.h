#pragma once

#include <string>
#include <string_view>

namespace orbelin::codec {

/// length bytes of the code page 932 form of text from the 1-based byte start (fewer at
/// the end; empty when start is past the end or length is not positive), as text again.
std::string MidBStr(std::string_view text, long start, long length);

}  // namespace orbelin::codec
