#include "serial/DeviceControl.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>

#include "text/Integers.h"

namespace orbelin::serial {

namespace {

constexpr std::string_view kProcedure = "DeviceControl";
constexpr std::string_view kPortSource = "SerialPort";
constexpr int kMillisecondsPerSecond = 1000;

}  // namespace

using settings::Setting;

std::optional<std::uint8_t> DeviceControl::byteSetting(Setting code) {
  try {
    const std::int32_t value = text::toInteger(m_context.settings().get(code));
    if (value <= 0 || value > 0xFF) return std::nullopt;
    return static_cast<std::uint8_t>(value);
  } catch (const std::exception& failure) {
    m_context.reporter.report(kProcedure, failure);
    return std::nullopt;
  }
}

std::optional<int> DeviceControl::delaySetting(Setting setting, int unitMs) {
  try {
    const std::int32_t value = text::toInteger(m_context.settings().get(setting));
    if (value < 0) return std::nullopt;
    // A very long wait is capped instead of wrapping round to a short or negative one.
    const std::int64_t ms = std::min<std::int64_t>(std::int64_t{value} * unitMs, std::numeric_limits<int>::max());
    return static_cast<int>(ms);
  } catch (const std::exception& failure) {
    m_context.reporter.report(kProcedure, failure);
    return std::nullopt;
  }
}

void DeviceControl::portOpened() {
  portClosed();
  m_writeFailureReported = false;
  if (const auto trigger = byteSetting(Setting::Trigger)) {
    const auto interval = delaySetting(Setting::Timer, kMillisecondsPerSecond);
    // An interval of 0 would write without pause; it turns the requests off.
    if (interval && *interval > 0) {
      const std::uint8_t byte = *trigger;
      m_triggerTimer = m_context.loop.startTimer(*interval, true, [this, byte] { write(byte); });
    }
  }
  if (const auto answer = byteSetting(Setting::Answer)) {
    if (const auto delay = delaySetting(Setting::AnswerTime, 1)) {
      m_answer = answer;
      m_answerDelayMs = *delay;
    }
  }
}

void DeviceControl::portClosed() {
  if (m_triggerTimer != 0) m_context.loop.stopTimer(m_triggerTimer);
  m_triggerTimer = 0;
  for (const auto id : m_answerTimers) m_context.loop.stopTimer(id);
  m_answerTimers.clear();
  m_answer.reset();
}

void DeviceControl::recordRead() {
  if (!m_answer) return;
  const std::uint8_t byte = *m_answer;
  // The id is only known once the timer is started, so the task finds itself by a shared slot.
  auto slot = std::make_shared<platform::EventLoop::TimerId>(0);
  *slot = m_context.loop.startTimer(m_answerDelayMs, false, [this, byte, slot] {
    std::erase(m_answerTimers, *slot);
    write(byte);
  });
  m_answerTimers.push_back(*slot);
}

void DeviceControl::write(std::uint8_t byte) {
  if (m_context.port.writeByte(byte) || m_writeFailureReported) return;
  if (m_context.port.gone()) {
    // Not a write fault but a reader that went away: the loss is handled as such.
    m_connection.deviceLost();
    return;
  }
  m_writeFailureReported = true;
  m_context.reporter.report(kProcedure, kPortSource, "ポートへの書き込みに失敗しました。");
}

}  // namespace orbelin::serial
