#pragma once

#include <string>

namespace orbelin::platform::win32 {

/// The system's text for a Win32 error code, without the trailing line break.
std::string systemMessage(unsigned long error);

}  // namespace orbelin::platform::win32
