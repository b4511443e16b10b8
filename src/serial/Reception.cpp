#include "serial/Reception.h"

#include "report/WriteLog.h"
#include "codec/Cp932.h"
#include "text/Integers.h"
#include "fileout/MakeFile.h"

namespace orbelin::serial {

namespace {

using settings::Setting;

constexpr std::string_view kDroppedNoHeader = "[破棄] ヘッダーがありません";
constexpr std::string_view kDroppedCut = "[破棄] 受信の途中でポートが閉じられました: ";

}  // namespace

ReceivedRecord Reception::RSDataRecv() {
  m_endedAtFooter = false;
  try {
    return assemble();
  } catch (const std::exception& failure) {
    m_context.reporter.report("RSDataRecv", failure);
    return {};
  }
}

void Reception::syncPendingByteCount() {
  m_framer.setWaiting(m_context.port.isOpen() ? m_context.port.bytesWaiting() : 0);
  m_countSession = m_connection.closings();
}

int Reception::pendingByteCount() const {
  // A count taken before the port closed says nothing about the port opened since.
  return m_connection.closings() == m_countSession ? m_framer.waiting() : 0;
}

bool Reception::waitForBytes(int gapMs, unsigned session) {
  const std::int64_t deadline = m_context.clock.monotonicMs() + gapMs;
  return m_context.loop.waitUntil(deadline, [this, session] {
    return pendingByteCount() >= 1 || m_connection.closings() != session;
  });
}

ReceivedRecord Reception::assemble() {
  m_framer.start(framingOf(m_context.settings()));
  const int gapMs = text::toInteger(m_context.settings().get(Setting::Weight));
  std::string chunk;
  // A port closed while the record is read (a reader lost, the user disconnecting) cuts
  // it; what comes after a reopening belongs to a record of its own.
  const unsigned session = m_connection.closings();
  bool cut = false;
  while (true) {
    if (m_connection.closings() != session) {
      cut = true;
      break;
    }
    if (pendingByteCount() <= 0 || !m_context.port.isOpen()) {
      m_framer.setWaiting(0);
      if (!waitForBytes(gapMs, session)) break;
      continue;
    }
    m_framer.takeWaiting();
    const auto byte = m_context.port.readByte();
    if (!byte && m_context.port.gone()) {
      m_connection.deviceLost();
      continue;
    }
    if (!byte) throw report::RuntimeFailure("受信バッファにデータがありません。");
    const char c = static_cast<char>(*byte);
    chunk += c;
    if (m_framer.push(c)) {
      m_endedAtFooter = true;
      break;
    }
  }
  deliverChunk(chunk);
  const std::string& record = m_framer.received();
  if (cut) {
    if (!record.empty()) {
      report::WriteLog(std::string(kDroppedCut) + codec::fromCp932(record), m_context.paths.receiveLog(), m_context.clock);
    }
    return {};
  }
  if (record.empty()) {
    // Only bytes before a header that never came: they were read, and go no further.
    if (!chunk.empty()) report::WriteLog(kDroppedNoHeader, m_context.paths.receiveLog(), m_context.clock);
    return {};
  }
  ReceivedRecord received{codec::fromCp932(record), std::nullopt};
  if (auto inside = m_framer.inside()) received.inside = codec::fromCp932(*inside);
  return received;
}

void Reception::deliverChunk(const std::string& chunk) {
  if (chunk.empty()) return;
  const std::string text = codec::fromCp932(chunk);
  report::WriteLog(text, m_context.paths.receiveLog(), m_context.clock);
  if (m_context.settings().isOn(Setting::Log)) {
    // A capture that cannot be written is logged by MakeFile; the scan itself goes on.
    fileout::MakeFile(text, m_context.paths.receiveCapture(), m_context.reporter);
  }
  m_dump.DispHexDump(text);
}

}  // namespace orbelin::serial
