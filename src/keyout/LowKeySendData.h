#pragma once

#include <string_view>

#include "keyout/KeyOutput.h"

namespace orbelin::keyout {

/// The low-level transfer: types every character as key presses on the current layout
/// (double-byte characters are dropped) and presses key tokens without their modifier.
/// False after a failure, which is reported as "LowKeySendData".
bool LowKeySendData(std::string_view keyString, bool interpretTokens, KeyOutput& out);

}  // namespace orbelin::keyout
