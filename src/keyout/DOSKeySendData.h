#pragma once

#include <cstdint>
#include <string_view>

#include "keyout/KeyOutput.h"

namespace orbelin::keyout {

/// The console and terminal-emulator transfer: runs of ordinary text go through the
/// clipboard and are pasted by the keys of pasteMode (1 Alt+Space E P, 2 Alt+E P, any
/// other value Ctrl+V); control characters and key tokens are pressed between runs.
/// The clipboard holds an empty text after every paste. False after a failure, which
/// is reported as "DOSKeySendData".
bool DOSKeySendData(std::string_view keyString, bool interpretTokens, std::int16_t pasteMode, KeyOutput& out);

}  // namespace orbelin::keyout
