#pragma once

#include <chrono>
#include <functional>

#include "platform/x11/DisplayHandle.h"

namespace orbelin::platform::x11 {

/// Waits until the client of the focus window has handled every event sent to it so far:
/// it answers a ping only after them. Clients that do not answer pings are not waited
/// for; one that is busy is waited for timeout at most. Events of display read meanwhile
/// go to other. True when the client answered.
bool awaitFocusClient(::_XDisplay* display, std::chrono::milliseconds timeout,
                      const std::function<void(const ::_XEvent&)>& other);

}  // namespace orbelin::platform::x11
