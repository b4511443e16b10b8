#include "platform/sim/SimClock.h"

#include <chrono>

namespace orbelin::platform::sim {

LocalTime SimClock::localTime() {
  using namespace std::chrono;
  const sys_days startDay = year{m_start.year} / month{static_cast<unsigned>(m_start.month)} /
                            day{static_cast<unsigned>(m_start.day)};
  const auto startTime = startDay + hours{m_start.hour} + minutes{m_start.minute} + seconds{m_start.second};
  const auto now = floor<seconds>(startTime + milliseconds{m_nowMs});
  const auto nowDay = floor<days>(now);
  const year_month_day ymd{nowDay};
  const hh_mm_ss hms{now - nowDay};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(hms.hours().count()),
          static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count())};
}

}  // namespace orbelin::platform::sim
