#include "serial/ReconnectWatch.h"

namespace orbelin::serial {

void ReconnectWatch::start(platform::PortRequest request, std::function<void()> reopened) {
  stop();
  m_request = std::move(request);
  m_reopened = std::move(reopened);
  m_timer = m_context.loop.startTimer(kIntervalMs, true, [this] { tryOpen(); });
}

void ReconnectWatch::stop() {
  if (m_timer != 0) m_context.loop.stopTimer(m_timer);
  m_timer = 0;
}

void ReconnectWatch::tryOpen() {
  if (m_context.port.isOpen()) {
    stop();
    return;
  }
  if (!m_context.port.open(m_request).ok) return;
  stop();
  if (m_reopened) m_reopened();
}

}  // namespace orbelin::serial
