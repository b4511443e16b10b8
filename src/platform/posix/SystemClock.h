#pragma once

#include "platform/Clock.h"

namespace orbelin::platform::posix {

/// The real clock: steady time, the local time zone and a thread sleep.
class SystemClock : public Clock {
 public:
  std::int64_t monotonicMs() override;
  LocalTime localTime() override;
  void sleepMs(int ms) override;
};

}  // namespace orbelin::platform::posix
