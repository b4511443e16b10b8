#include "serial/RecordPipeline.h"

#include <algorithm>
#include <limits>

#include <cstdio>

#include "report/FileExists.h"
#include "convert/CaseWidth.h"
#include "convert/MakeSendData.h"
#include "convert/text/InterchangeStr.h"
#include "fileout/MakeFile.h"
#include "keyout/DOSKeySendData.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"

namespace orbelin::serial {

namespace {

using settings::Setting;

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
      m_steps(std::move(steps)),
      m_keys(keys) {
  if (m_steps.book == nullptr) m_steps.book = &m_passThrough;
}

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
  m_context.clock.sleepMs(kReceivePauseMs);
  // The count is taken from the port, not added up, so bytes that an earlier run left
  // waiting are never counted twice and a read always finds its byte.
  m_connection.syncPendingByteCount();
  EventRecv();
}

void RecordPipeline::EventRecv() {
  bool endedAtFooter = false;
  try {
    std::string working;
    if (m_connection.pendingByteCount() > 0 && m_context.port.isOpen()) {
      working = m_reception.RSDataRecv();
      endedAtFooter = m_reception.endedAtFooter();
      if (!working.empty() && m_recordRead) m_recordRead();
    }
    if (!working.empty()) {
      const bool outputAllowed = !report::FileExists(m_context.paths.dontKeyMarker());
      m_context.tray.setIcon(platform::IconState::Busy, m_context.window.caption());
      BookResult converted = convertRecord(std::move(working));
      scheduleBookRelease();
      if (converted.released) finishRecord(std::move(*converted.released), outputAllowed);
      finishRecord(std::move(converted.record), outputAllowed);
    }
  } catch (const std::exception& failure) {
    fail(failure);
  }
  startNextRunIfBytesWait(endedAtFooter);
}

BookResult RecordPipeline::convertRecord(std::string working) {
  const auto& settings = m_context.settings();
  if (settings.isOn(Setting::EANRead) && m_steps.eanRead) working = m_steps.eanRead(working);
  if (settings.get(Setting::ConvMode) != "0") working = convert::ConvertCaseWidth(working, settings.get(Setting::ConvMode));
  if (working.empty()) return {};
  return m_steps.book->convert(working, m_context.clock.monotonicMs());
}

void RecordPipeline::finishRecord(std::string working, bool outputAllowed) {
  const auto& settings = m_context.settings();
  working = convert::MakeSendData(working, settings, m_context.configuration.tables, m_context.reporter);
  working = convert::EscapeKeyBraces(working, settings);
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
  m_connection.disconnectIfOpen();
  m_context.reporter.report("EventRecv", failure);
}

void RecordPipeline::scheduleBookRelease() {
  if (m_bookTimer != 0) m_context.loop.stopTimer(m_bookTimer);
  m_bookTimer = 0;
  const auto expiry = m_steps.book->nextExpiry();
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
  try {
    for (std::string& row : m_steps.book->takeExpired(m_context.clock.monotonicMs())) {
      const bool outputAllowed = !report::FileExists(m_context.paths.dontKeyMarker());
      m_context.tray.setIcon(platform::IconState::Busy, m_context.window.caption());
      finishRecord(std::move(row), outputAllowed);
    }
  } catch (const std::exception& failure) {
    fail(failure);
  }
  scheduleBookRelease();
}

void RecordPipeline::startNextRunIfBytesWait(bool endedAtFooter) {
  // A run that ended at a footer leaves the rest of a burst waiting; the reader's next
  // record must not wait for the next scan to be noticed.
  if (!endedAtFooter || m_nextRunPosted || m_connection.pendingByteCount() <= 0 || !m_context.port.isOpen()) return;
  m_nextRunPosted = true;
  m_context.loop.post([this] {
    m_nextRunPosted = false;
    m_connection.syncPendingByteCount();
    EventRecv();
  });
}

}  // namespace orbelin::serial
