#pragma once

#include "platform/Clock.h"

namespace orbelin::platform::sim {

/// Virtual time: sleeping advances the clock at once. Local time is the start time
/// plus the virtual milliseconds that have passed.
class SimClock : public Clock {
 public:
  explicit SimClock(LocalTime start = {2008, 3, 28, 14, 5, 9}) : m_start(start) {}
  std::int64_t monotonicMs() override { return m_nowMs; }
  LocalTime localTime() override;
  void sleepMs(int ms) override { advance(ms); }
  /// Lets ms milliseconds of virtual time pass.
  void advance(std::int64_t ms) {
    if (ms > 0) m_nowMs += ms;
  }

 private:
  LocalTime m_start;
  std::int64_t m_nowMs = 0;
};

}  // namespace orbelin::platform::sim
