#pragma once

#include <functional>

#include "serial/SerialContext.h"

namespace orbelin::serial {

/// Waits for a lost reader to come back: once a second it tries to open the port again
/// with the request that last opened it. A failed try says nothing (the loss was already
/// reported); the first success stops the watch and tells the owner.
class ReconnectWatch {
 public:
  explicit ReconnectWatch(SerialContext& context) : m_context(context) {}
  ~ReconnectWatch() { stop(); }
  ReconnectWatch(const ReconnectWatch&) = delete;
  ReconnectWatch& operator=(const ReconnectWatch&) = delete;

  /// Starts watching for the device of request; reopened() runs after a successful open.
  void start(platform::PortRequest request, std::function<void()> reopened);
  /// Stops watching; nothing when not watching.
  void stop();
  bool watching() const { return m_timer != 0; }

 private:
  void tryOpen();

  /// Once a second is soon enough for a person plugging a cable back in.
  static constexpr int kIntervalMs = 1000;

  SerialContext& m_context;
  platform::PortRequest m_request;
  std::function<void()> m_reopened;
  platform::EventLoop::TimerId m_timer = 0;
};

}  // namespace orbelin::serial
