#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "serial/Connection.h"
#include "serial/SerialContext.h"

namespace orbelin::serial {

/// The device-control settings at work: the request byte Trigger written every Timer
/// seconds while the port is open, and the answer byte Answer written AnswerTime ms after
/// each record read. A code of 0 turns its function off. The settings are read when the
/// port opens, so a change acts from the next connection; all waits are event-loop
/// timers, so neither function holds up reception or typing.
class DeviceControl {
 public:
  DeviceControl(SerialContext& context, Connection& connection) : m_context(context), m_connection(connection) {}
  ~DeviceControl() { portClosed(); }
  DeviceControl(const DeviceControl&) = delete;
  DeviceControl& operator=(const DeviceControl&) = delete;

  /// The port has just opened: reads the settings and starts the request timer.
  void portOpened();
  /// The port closed or is about to: no request or answer is written any more.
  void portClosed();
  /// A record has been read from the port: its answer is due AnswerTime ms from now.
  void recordRead();

 private:
  std::optional<std::uint8_t> byteSetting(settings::Setting code);
  std::optional<int> delaySetting(settings::Setting setting, int unitMs);
  void write(std::uint8_t byte);

  SerialContext& m_context;
  Connection& m_connection;
  std::optional<std::uint8_t> m_answer;
  int m_answerDelayMs = 0;
  platform::EventLoop::TimerId m_triggerTimer = 0;
  std::vector<platform::EventLoop::TimerId> m_answerTimers;
  bool m_writeFailureReported = false;
};

}  // namespace orbelin::serial
