#pragma once

#include <QObject>
#include <map>

#include "platform/Clock.h"
#include "platform/EventLoop.h"

class QEventLoop;
class QTimer;

namespace orbelin::platform::qtserial {

/// The engine's event loop on Qt's: posted tasks are queued calls, timers are QTimers,
/// and a wait blocks in the event dispatcher until an event or its deadline timer wakes
/// it. Needs a QCoreApplication (or QApplication) on the calling thread.
class QtEventLoop : public EventLoop {
 public:
  /// clock is the one whose monotonic milliseconds the deadlines are given in.
  explicit QtEventLoop(Clock& clock) : m_clock(clock) {}
  ~QtEventLoop() override;

  void post(Task task) override;
  TimerId startTimer(int intervalMs, bool repeat, Task task) override;
  void stopTimer(TimerId id) override;
  void processPending() override;
  bool waitUntil(std::int64_t deadlineMs, const std::function<bool()>& done) override;
  void run() override;
  void quit() override;
  bool quitting() const override { return m_quit; }

 private:
  Clock& m_clock;
  QObject m_context;
  std::map<TimerId, QTimer*> m_timers;
  TimerId m_nextId = 1;
  QEventLoop* m_running = nullptr;
  bool m_quit = false;
};

}  // namespace orbelin::platform::qtserial
