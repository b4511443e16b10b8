#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "platform/EventLoop.h"
#include "platform/sim/SimClock.h"

namespace orbelin::platform::sim {

/// An event loop in virtual time. Tasks and timers are kept in time order; a wait jumps
/// the clock straight to the next event (or to its deadline), so gaps, pauses and
/// timers are reproduced exactly and instantly. The clock is the one everything else
/// sleeps on: a blocking sleep advances it and events that became due meanwhile run at
/// the next chance, late, as they would on a busy thread.
class SimEventLoop : public EventLoop {
 public:
  explicit SimEventLoop(SimClock& clock) : m_clock(clock) {}

  void post(Task task) override;
  TimerId startTimer(int intervalMs, bool repeat, Task task) override;
  void stopTimer(TimerId id) override;
  void processPending() override;
  bool waitUntil(std::int64_t deadlineMs, const std::function<bool()>& done) override;
  void run() override;
  void quit() override { m_quit = true; }
  bool quitting() const override { return m_quit; }

  /// Runs task once at the virtual time atMs (at once when that has passed).
  TimerId scheduleAt(std::int64_t atMs, Task task);
  /// A pause of ms milliseconds that lets the events falling due meanwhile run, as the
  /// real transfer pauses do; the clock ends at least ms later.
  void pause(int ms);
  /// Runs events until only repeating timers are left or quit() was called.
  void runUntilIdle();
  SimClock& clock() { return m_clock; }

 private:
  struct Event {
    TimerId id = 0;
    int intervalMs = 0;
    bool repeat = false;
    Task task;
  };
  using Key = std::pair<std::int64_t, std::uint64_t>;  // due time, insertion order

  TimerId add(std::int64_t atMs, Event event);
  /// Runs the earliest event due at or before limitMs; false when there is none.
  bool runNextDue(std::int64_t limitMs);
  bool hasOneShotEvent() const;

  SimClock& m_clock;
  std::map<Key, Event> m_queue;
  std::map<TimerId, Key> m_keys;
  std::uint64_t m_sequence = 0;
  TimerId m_nextId = 1;
  bool m_quit = false;
};

}  // namespace orbelin::platform::sim
