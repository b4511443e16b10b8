#pragma once

#include <cstdint>

namespace orbelin::platform {

/// A local calendar date and time of day.
struct LocalTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

/// Time as the engine sees it: a monotonic millisecond count, the local date and time,
/// and a plain blocking sleep. The simulated clock advances instantly.
class Clock {
 public:
  virtual ~Clock() = default;
  /// Milliseconds since an arbitrary start; never goes backwards.
  virtual std::int64_t monotonicMs() = 0;
  /// The current local date and time.
  virtual LocalTime localTime() = 0;
  /// Blocks for ms milliseconds without letting events run.
  virtual void sleepMs(int ms) = 0;
};

}  // namespace orbelin::platform
