#include "serial/Reception.h"

#include "report/WriteLog.h"
#include "convert/codec/Cp932.h"
#include "convert/text/Integers.h"
#include "fileout/MakeFile.h"

namespace orbelin::serial {

namespace {

using settings::Setting;

constexpr std::string_view kDroppedNoHeader = "[破棄] ヘッダーがありません";
constexpr std::string_view kDroppedCut = "[破棄] 受信の途中でポートが閉じられました: ";

std::uint8_t codeOf(const std::string& text) {
  const int value = text::toInteger(text);
  if (value < 0 || value > 255) throw text::RuntimeFailure(text::kInvalidArgument);
  return static_cast<std::uint8_t>(value);
}

std::optional<std::uint8_t> headerOf(const settings::Settings& settings) {
  const std::string& head = settings.get(Setting::RcvHead);
  if (head == "1") return 0x02;
  if (head == "2") return 0x01;
  if (head == "3") return codeOf(settings.get(Setting::HeadOther));
  return std::nullopt;
}

std::string footerOf(const settings::Settings& settings) {
  const std::string& foot = settings.get(Setting::RcvFoot);
  if (foot == "1") return "\x03";
  if (foot == "2") return "\x17";
  if (foot == "3") return "\r";
  if (foot == "4") return "\n";
  if (foot == "5") return "\r\n";
  if (foot == "6") return std::string(1, static_cast<char>(codeOf(settings.get(Setting::FootOther))));
  return {};
}

}  // namespace

Framing framingOf(const settings::Settings& settings) {
  Framing framing;
  if (!settings.isOn(Setting::Select)) return framing;
  framing.on = true;
  framing.header = headerOf(settings);
  framing.footer = footerOf(settings);
  return framing;
}

std::string Reception::RSDataRecv() {
  m_endedAtFooter = false;
  try {
    return assemble();
  } catch (const std::exception& failure) {
    m_context.reporter.report("RSDataRecv", failure);
    return {};
  }
}

bool Reception::waitForBytes(int gapMs, unsigned session) {
  const std::int64_t deadline = m_context.clock.monotonicMs() + gapMs;
  return m_context.loop.waitUntil(deadline, [this, session] {
    return m_connection.pendingByteCount() >= 1 || m_connection.closings() != session;
  });
}

std::string Reception::assemble() {
  const Framing framing = framingOf(m_context.settings());
  const int gapMs = text::toInteger(m_context.settings().get(Setting::Weight));
  std::string record;
  std::string chunk;
  std::string window = "  ";
  bool headerSeen = !framing.header.has_value();
  // A port closed while the record is read (a reader lost, the user disconnecting) cuts
  // it; what comes after a reopening belongs to a record of its own.
  const unsigned session = m_connection.closings();
  bool cut = false;
  while (true) {
    if (m_connection.closings() != session) {
      cut = true;
      break;
    }
    if (m_connection.pendingByteCount() <= 0 || !m_context.port.isOpen()) {
      m_connection.setPendingByteCount(0);
      if (!waitForBytes(gapMs, session)) break;
      continue;
    }
    m_connection.setPendingByteCount(m_connection.pendingByteCount() - 1);
    const auto byte = m_context.port.readByte();
    if (!byte && m_context.port.gone()) {
      m_connection.deviceLost();
      continue;
    }
    if (!byte) throw text::RuntimeFailure("受信バッファにデータがありません。");
    const char c = static_cast<char>(*byte);
    record += c;
    chunk += c;
    if (!framing.on) continue;
    if (!headerSeen) {
      if (*byte == *framing.header) {
        headerSeen = true;
      } else {
        record.clear();
      }
      continue;
    }
    if (framing.footer.empty()) continue;
    window = window.substr(window.size() - 1) + c;
    if (window.ends_with(framing.footer)) {
      m_endedAtFooter = true;
      break;
    }
  }
  deliverChunk(chunk);
  if (cut) {
    if (!record.empty()) {
      report::WriteLog(std::string(kDroppedCut) + codec::fromCp932(record), m_context.paths.receiveLog(), m_context.clock);
    }
    return {};
  }
  if (record.empty() && !chunk.empty()) {
    // Only bytes before a header that never came: they were read, and go no further.
    report::WriteLog(kDroppedNoHeader, m_context.paths.receiveLog(), m_context.clock);
  }
  return record.empty() ? std::string() : codec::fromCp932(record);
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
