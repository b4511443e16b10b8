#include "serial/RecordPipeline.h"

#include <algorithm>
#include <limits>
#include <utility>

#include <cstdio>

#include "report/FileExists.h"
#include "report/WriteLog.h"
#include "text/InterchangeStr.h"
#include "fileout/MakeFile.h"
#include "keyout/DOSKeySendData.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"

namespace orbelin::serial {

namespace {

using settings::Setting;

// COMRECV.LOG's lines for records that are received but not passed on.
constexpr std::string_view kDroppedFraming = "[破棄] ヘッダーまたはフッターがありません: ";

constexpr std::string_view kOutputFileFailure =
    "出力ファイル書き込みに失敗しました。\r\n権限の有無、他で使用していないか確認してください。";

std::string twoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

RecordPipeline::RecordPipeline(SerialContext& context, Connection& connection, Reception& reception,
                               HexDump& dump, ConversionSteps steps, keyout::KeyOutput& keys)
    : m_context(context),
      m_connection(connection),
      m_reception(reception),
      m_dump(dump),
      m_converter(context.configuration, context.reporter, std::move(steps),
                  [this](const std::string& why) { noteDropped(why); }),
      m_keys(keys) {}

RecordPipeline::~RecordPipeline() {
  if (m_bookTimer != 0) m_context.loop.stopTimer(m_bookTimer);
}

void RecordPipeline::onPortEvent(platform::PortEvent event) {
  if (event == platform::PortEvent::DeviceLost) {
    m_connection.deviceLost();
    // The caption must not go on saying connected once the reader is gone.
    showStatus();
    return;
  }
  if (event != platform::PortEvent::Received) return;
  if (m_reading) {
    // Bytes that come before the gap has passed belong to the record being read; the
    // reception's wait sees the new count and goes on reading.
    m_context.clock.sleepMs(kReceivePauseMs);
    m_reception.syncPendingByteCount();
    return;
  }
  if (m_running) {
    // The typing pauses let notifications in; the record being typed comes first.
    m_notified = true;
    return;
  }
  receive();
}

void RecordPipeline::receive() {
  m_context.clock.sleepMs(kReceivePauseMs);
  // The count is taken from the port, not added up, so bytes that an earlier run left
  // waiting are never counted twice and a read always finds its byte.
  m_reception.syncPendingByteCount();
  EventRecv();
}

void RecordPipeline::EventRecv() {
  if (m_running) {
    m_notified = true;
    return;
  }
  m_running = true;
  bool endedAtFooter = false;
  try {
    ReceivedRecord received;
    if (m_reception.pendingByteCount() > 0 && m_context.port.isOpen()) {
      m_reading = true;
      received = m_reception.RSDataRecv();
      m_reading = false;
      endedAtFooter = m_reception.endedAtFooter();
      if (!received.text.empty() && m_recordRead) m_recordRead();
    }
    if (!received.text.empty()) {
      const bool outputAllowed = !report::MarkerPresent(m_context.paths.dontKeyMarker());
      m_context.tray.setIcon(platform::IconState::Busy, m_context.window.caption());
      std::optional<BookResult> converted = convertRecord(received);
      scheduleBookRelease();
      if (converted) {
        if (converted->released) finishRecord(std::move(*converted->released), outputAllowed);
        finishRecord(std::move(converted->record), outputAllowed);
      }
    }
  } catch (const std::exception& failure) {
    fail(failure);
  }
  m_reading = false;
  m_running = false;
  postNextRun(endedAtFooter);
}

std::optional<BookResult> RecordPipeline::convertRecord(const ReceivedRecord& received) {
  if (!received.inside) {
    noteDropped(std::string(kDroppedFraming) + received.text);
    return BookResult{};
  }
  return m_converter.convert(*received.inside, m_context.clock.monotonicMs());
}

void RecordPipeline::noteDropped(const std::string& why) {
  report::WriteLog(why, m_context.paths.receiveLog(), m_context.clock);
}

void RecordPipeline::finishRecord(std::string working, bool outputAllowed) {
  const auto& settings = m_context.settings();
  if (!working.empty() && settings.isOn(Setting::SendKey) && outputAllowed) {
    if (!typeRecord(working)) return;
  }
  if (!working.empty() && settings.isOn(Setting::File) && outputAllowed) {
    if (!writeRecord(working)) return;
  }
  showStatus();
}

bool RecordPipeline::typeRecord(const std::string& working) {
  const auto& settings = m_context.settings();
  const std::string head = settings.get(Setting::KeyHead);
  const std::string foot = settings.get(Setting::KeyFoot);
  const std::string& dos = settings.get(Setting::DOSSendKey);
  if (dos == "1" || dos == "2" || dos == "3") {
    const auto mode = static_cast<std::int16_t>(dos[0] - '0');
    if (!head.empty()) keyout::DOSKeySendData(head, true, mode, m_keys);
    keyout::DOSKeySendData(working, true, mode, m_keys);
    if (!foot.empty()) keyout::DOSKeySendData(foot, true, mode, m_keys);
    return true;
  }
  if (settings.isOn(Setting::LowSendKey)) {
    if (!head.empty()) keyout::LowKeySendData(head, true, m_keys);
    keyout::LowKeySendData(working, true, m_keys);
    if (!foot.empty()) keyout::LowKeySendData(foot, true, m_keys);
    return true;
  }
  for (const std::string* piece : {&head, &working, &foot}) {
    if (!keyout::KeySendData(*piece, true, m_keys)) return false;
  }
  return true;
}

bool RecordPipeline::writeRecord(const std::string& working) {
  const auto& settings = m_context.settings();
  auto& reporter = m_context.reporter;
  std::string text = settings.get(Setting::KeyHead) + working + settings.get(Setting::KeyFoot);
  const platform::LocalTime now = m_context.clock.localTime();
  const std::string date = std::to_string(now.year) + twoDigits(now.month) + twoDigits(now.day);
  const std::string time = twoDigits(now.hour) + twoDigits(now.minute) + twoDigits(now.second);
  text = text::InterchangeStr(text, "{Date}", date, reporter);
  text = text::InterchangeStr(text, "{Time}", time, reporter);
  std::filesystem::path path = std::filesystem::path(settings.get(Setting::FilePath));
  if (path.is_relative()) path = m_context.paths.dir / path;
  if (fileout::MakeFile(text, path, reporter)) return true;
  reporter.messages().show(platform::MessageIcon::Warning, "EventRecv", kOutputFileFailure);
  return false;
}

void RecordPipeline::showStatus() {
  const std::string caption = statusCaption(m_connection.statusText(), m_dump.recentText());
  m_context.window.setCaption(caption);
  m_context.tray.setIcon(m_context.port.isOpen() ? platform::IconState::Connected
                                                 : platform::IconState::Disconnected,
                         caption);
}

void RecordPipeline::fail(const std::exception& failure) {
  if (m_context.port.gone()) {
    // A failure because the reader went away is its loss, not a fault of the run.
    m_connection.deviceLost();
    return;
  }
  m_connection.disconnectIfOpen();
  m_context.reporter.report("EventRecv", failure);
}

void RecordPipeline::scheduleBookRelease() {
  if (m_bookTimer != 0) m_context.loop.stopTimer(m_bookTimer);
  m_bookTimer = 0;
  const auto expiry = m_converter.nextExpiry();
  if (!expiry) return;
  // A wait longer than a timer can hold (SPCWeight near its maximum) is served in
  // steps: the row is not due when the longest timer fires, so it is scheduled again.
  const auto delay = std::clamp<std::int64_t>(*expiry - m_context.clock.monotonicMs(), 0,
                                              std::numeric_limits<int>::max());
  m_bookTimer = m_context.loop.startTimer(static_cast<int>(delay), false, [this] {
    m_bookTimer = 0;
    releaseExpiredBookRows();
  });
}

void RecordPipeline::releaseExpiredBookRows() {
  if (m_running) {
    // A row let go in the middle of another record's typing would be typed inside it.
    m_releaseDue = true;
    return;
  }
  m_running = true;
  try {
    std::vector<std::string> rows = m_converter.takeExpired(m_context.clock.monotonicMs());
    for (std::string& row : rows) {
      const bool outputAllowed = !report::MarkerPresent(m_context.paths.dontKeyMarker());
      m_context.tray.setIcon(platform::IconState::Busy, m_context.window.caption());
      finishRecord(std::move(row), outputAllowed);
    }
  } catch (const std::exception& failure) {
    fail(failure);
  }
  m_running = false;
  scheduleBookRelease();
  postNextRun(false);
}

void RecordPipeline::postNextRun(bool endedAtFooter) {
  // A run that ended at a footer leaves the rest of a burst waiting; the reader's next
  // record must not wait for the next scan to be noticed.
  const bool bytesLeft = endedAtFooter && m_reception.pendingByteCount() > 0 && m_context.port.isOpen();
  if (bytesLeft) m_bytesLeft = true;
  if (m_nextRunPosted || !(m_bytesLeft || m_notified || m_releaseDue)) return;
  m_nextRunPosted = true;
  m_context.loop.post([this] {
    m_nextRunPosted = false;
    // Started meanwhile by a notification of its own: that run posts again when it ends.
    if (m_running) return;
    if (std::exchange(m_releaseDue, false)) {
      releaseExpiredBookRows();
    } else if (std::exchange(m_notified, false)) {
      m_bytesLeft = false;
      receive();
    } else if (std::exchange(m_bytesLeft, false)) {
      m_reception.syncPendingByteCount();
      EventRecv();
    }
  });
}

}  // namespace orbelin::serial
