#pragma once

#include <string_view>

#include "keyout/KeyOutput.h"

namespace orbelin::keyout {

/// The normal transfer: posts each ordinary character (double-byte ones whole) to the
/// window that has the focus at that moment, and presses control characters and key
/// tokens. True when typed, empty, or stopped because no focus window could be reached;
/// false after a failure, which is reported as "KeySendData" after the main window has
/// been brought back.
bool KeySendData(std::string_view keyString, bool interpretTokens, KeyOutput& out);

}  // namespace orbelin::keyout
