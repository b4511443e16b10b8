#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "platform/inputmethod/MethodControl.h"
#include "support/WaitFor.h"

namespace orbelin::test {

/// Waits with a generous deadline until method composes for the focus (or stops
/// composing); idle runs between the questions (a Qt program's events, say).
inline bool methodBecomes(platform::inputmethod::MethodControl& method, bool on, const std::function<void()>& idle = {}) {
  return waitFor([&] {
    std::string error;
    if (method.isOn(error) == on) return true;
    if (idle) idle();
    return false;
  }, std::chrono::seconds(30));
}

}  // namespace orbelin::test
