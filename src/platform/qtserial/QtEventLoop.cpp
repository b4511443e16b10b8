#include "platform/qtserial/QtEventLoop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace orbelin::platform::qtserial {

QtEventLoop::~QtEventLoop() {
  for (auto& [id, timer] : m_timers) delete timer;
}

void QtEventLoop::post(Task task) { QMetaObject::invokeMethod(&m_context, std::move(task), Qt::QueuedConnection); }

EventLoop::TimerId QtEventLoop::startTimer(int intervalMs, bool repeat, Task task) {
  const TimerId id = m_nextId++;
  auto* timer = new QTimer(&m_context);
  timer->setTimerType(Qt::PreciseTimer);
  timer->setSingleShot(!repeat);
  timer->setInterval(std::max(intervalMs, 0));
  QObject::connect(timer, &QTimer::timeout, &m_context, [this, id, repeat, task = std::move(task)] {
    if (!repeat) stopTimer(id);
    task();
  });
  m_timers[id] = timer;
  timer->start();
  return id;
}

void QtEventLoop::stopTimer(TimerId id) {
  const auto found = m_timers.find(id);
  if (found == m_timers.end()) return;
  found->second->stop();
  // The timer may be the one whose timeout is running right now.
  found->second->deleteLater();
  m_timers.erase(found);
}

void QtEventLoop::processPending() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool QtEventLoop::waitUntil(std::int64_t deadlineMs, const std::function<bool()>& done) {
  QTimer wake;
  wake.setTimerType(Qt::PreciseTimer);
  wake.setSingleShot(true);
  while (!m_quit) {
    if (done()) return true;
    const std::int64_t remaining = deadlineMs - m_clock.monotonicMs();
    if (remaining <= 0) break;
    // The timer's only job is to wake the dispatcher at the deadline.
    wake.start(static_cast<int>(std::min<std::int64_t>(remaining, std::numeric_limits<int>::max())));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  return done();
}

void QtEventLoop::run() {
  if (m_quit) return;
  QEventLoop loop;
  m_running = &loop;
  loop.exec();
  m_running = nullptr;
}

void QtEventLoop::quit() {
  m_quit = true;
  if (m_running != nullptr) m_running->quit();
}

}  // namespace orbelin::platform::qtserial
