#pragma once

// Xlib's macros (None ...) clash with Google Test's names: this header leaves Xlib out.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct _XDisplay;

namespace orbelin::test {

/// The window's _NET_WM_NAME; empty when it has none.
std::string windowTitle(_XDisplay* display, unsigned long window);

/// The viewable windows that have a title, anywhere in the tree; a window that vanishes
/// while the tree is walked (a box closing, a client ending) is left out.
std::vector<std::pair<unsigned long, std::string>> titledWindows(_XDisplay* display);

/// Asks the window's client to close it, as its close button does; a message box with a
/// single button takes it as a press of that button.
void askToClose(_XDisplay* display, unsigned long window);

/// Asks every viewable window titled title to close, on the display of DISPLAY; how many
/// there were.
std::size_t closeWindowsTitled(const std::string& title);

/// The title of the program's main window (hidden in the tray or not): the one that
/// begins with a connection status; nothing when no such window exists.
std::optional<std::string> mainWindowCaption();

}  // namespace orbelin::test
