#pragma once

#include <cstdint>
#include <functional>

namespace orbelin::platform {

/// The one user-interface thread's event loop as the engine waits on it. Everything runs
/// on that thread: posted tasks, timers and port notifications; a wait lets them run
/// (nested in the waiting code) and blocks while nothing is due, it never spins.
class EventLoop {
 public:
  using Task = std::function<void()>;
  using TimerId = std::uint64_t;

  virtual ~EventLoop() = default;
  /// Runs task from the loop as soon as the current code lets events run.
  virtual void post(Task task) = 0;
  /// Runs task after intervalMs, again every intervalMs when repeat is true.
  virtual TimerId startTimer(int intervalMs, bool repeat, Task task) = 0;
  /// Stops a timer; an unknown or finished timer is ignored.
  virtual void stopTimer(TimerId id) = 0;
  /// Lets the events that are already due run, then returns.
  virtual void processPending() = 0;
  /// Lets events run, blocking between them, until done() is true or the monotonic clock
  /// reaches deadlineMs. True when done() became true.
  virtual bool waitUntil(std::int64_t deadlineMs, const std::function<bool()>& done) = 0;
  /// Runs events until quit() is called.
  virtual void run() = 0;
  /// Ends run() (and any wait) as soon as the current task returns.
  virtual void quit() = 0;
  /// True once quit() was called.
  virtual bool quitting() const = 0;
};

}  // namespace orbelin::platform
