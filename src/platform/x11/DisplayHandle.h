#pragma once

#include <memory>

// Xlib's display structure and event, declared here so that users of the keyboard do not
// get the Xlib macros (None, True, Status ...) in their translation units.
struct _XDisplay;
union _XEvent;

namespace orbelin::platform::x11 {

/// Closes an X display connection.
struct DisplayCloser {
  void operator()(::_XDisplay* display) const;
};

/// An X display connection that closes itself.
using DisplayPtr = std::unique_ptr<::_XDisplay, DisplayCloser>;

}  // namespace orbelin::platform::x11
