#include "platform/sim/SimEventLoop.h"

#include <limits>

namespace orbelin::platform::sim {

EventLoop::TimerId SimEventLoop::add(std::int64_t atMs, Event event) {
  if (event.id == 0) event.id = m_nextId++;
  const Key key{atMs, m_sequence++};
  const TimerId id = event.id;
  m_keys[id] = key;
  m_queue.emplace(key, std::move(event));
  return id;
}

void SimEventLoop::post(Task task) { add(m_clock.monotonicMs(), Event{0, 0, false, std::move(task)}); }

EventLoop::TimerId SimEventLoop::startTimer(int intervalMs, bool repeat, Task task) {
  const int interval = intervalMs > 0 ? intervalMs : 0;
  return add(m_clock.monotonicMs() + interval, Event{0, interval, repeat, std::move(task)});
}

EventLoop::TimerId SimEventLoop::scheduleAt(std::int64_t atMs, Task task) {
  return add(atMs, Event{0, 0, false, std::move(task)});
}

void SimEventLoop::stopTimer(TimerId id) {
  const auto found = m_keys.find(id);
  if (found == m_keys.end()) return;
  m_queue.erase(found->second);
  m_keys.erase(found);
}

bool SimEventLoop::runNextDue(std::int64_t limitMs) {
  if (m_quit || m_queue.empty()) return false;
  auto first = m_queue.begin();
  if (first->first.first > limitMs) return false;
  const std::int64_t due = first->first.first;
  Event event = std::move(first->second);
  m_queue.erase(first);
  m_keys.erase(event.id);
  m_clock.advance(due - m_clock.monotonicMs());
  if (event.repeat) {
    // Rescheduled before it runs, so the task itself can stop its timer.
    Event next{event.id, event.intervalMs, true, event.task};
    add(m_clock.monotonicMs() + (event.intervalMs > 0 ? event.intervalMs : 1), std::move(next));
  }
  event.task();
  return true;
}

void SimEventLoop::processPending() {
  while (runNextDue(m_clock.monotonicMs())) {
  }
}

bool SimEventLoop::waitUntil(std::int64_t deadlineMs, const std::function<bool()>& done) {
  while (!m_quit) {
    if (done()) return true;
    if (!runNextDue(deadlineMs)) {
      if (!m_quit) m_clock.advance(deadlineMs - m_clock.monotonicMs());
      break;
    }
  }
  return done();
}

void SimEventLoop::pause(int ms) {
  if (ms <= 0) return;
  const std::int64_t end = m_clock.monotonicMs() + ms;
  while (runNextDue(end)) {
  }
  m_clock.advance(end - m_clock.monotonicMs());
}

void SimEventLoop::run() {
  while (runNextDue(std::numeric_limits<std::int64_t>::max())) {
  }
}

bool SimEventLoop::hasOneShotEvent() const {
  for (const auto& [key, event] : m_queue) {
    if (!event.repeat) return true;
  }
  return false;
}

void SimEventLoop::runUntilIdle() {
  while (!m_quit && hasOneShotEvent()) {
    runNextDue(std::numeric_limits<std::int64_t>::max());
  }
}

}  // namespace orbelin::platform::sim
