#pragma once

// Xlib's macros (None ...) clash with Google Test's names: this header leaves Xlib out.
#include <optional>
#include <string>

struct _XDisplay;

namespace orbelin::test {

/// The window's _NET_WM_NAME; empty when it has none.
std::string windowTitle(_XDisplay* display, unsigned long window);

/// The title of the program's main window (hidden in the tray or not): the one that
/// begins with a connection status; nothing when no such window exists.
std::optional<std::string> mainWindowCaption();

}  // namespace orbelin::test
