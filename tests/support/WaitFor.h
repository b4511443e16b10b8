#pragma once

#include <chrono>
#include <thread>

namespace orbelin::test {

/// Polls done every 20 ms until it holds or guard has passed; true when it held. Tests
/// that wait for another process (a display, a compositor, the program on a pty) wait
/// through this with a generous guard: the guard only keeps a broken run from hanging,
/// it never decides a result on a machine that is merely slow.
template <typename Done>
bool waitFor(Done done, std::chrono::milliseconds guard) {
  const auto end = std::chrono::steady_clock::now() + guard;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace orbelin::test
