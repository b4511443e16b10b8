#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/inputmethod/MethodControl.h"

namespace orbelin::test {

/// Waits with a generous deadline until method composes for the focus (or stops
/// composing); idle runs between the questions (a Qt program's events, say).
inline bool methodBecomes(platform::inputmethod::MethodControl& method, bool on, const std::function<void()>& idle = {}) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    std::string error;
    if (method.isOn(error) == on) return true;
    if (idle) idle();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace orbelin::test
