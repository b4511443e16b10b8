#pragma once

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "platform/inputmethod/MethodControl.h"
#include "support/WaitFor.h"

namespace orbelin::test {

/// The method the session runs, as with-input-method.sh tells Qt programs through
/// QT_IM_MODULE.
inline std::unique_ptr<platform::inputmethod::MethodControl> sessionMethod() {
  const char* module = std::getenv("QT_IM_MODULE");
  return module != nullptr && std::string(module) == "ibus" ? platform::inputmethod::makeIBusControl()
                                                            : platform::inputmethod::makeFcitx5Control();
}

/// Waits with a generous deadline until method composes for the focus (or stops
/// composing); idle runs between the questions (a Qt program's events, say).
inline bool methodBecomes(platform::inputmethod::MethodControl& method, bool on, const std::function<void()>& idle = {}) {
  return waitFor([&] {
    std::string error;
    if (method.isOn(error) == on) return true;
    if (idle) idle();
    return false;
  }, std::chrono::seconds(60));
}

}  // namespace orbelin::test
