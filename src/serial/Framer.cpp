#include "serial/Framer.h"

#include "codec/Cp932.h"
#include "text/Integers.h"

namespace orbelin::serial {

namespace {

using settings::Setting;

std::uint8_t codeOf(const std::string& text) {
  const int value = text::toInteger(text);
  if (value < 0 || value > 255) throw report::RuntimeFailure(text::kInvalidArgument);
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

void Framer::start(Framing framing) {
  m_framing = std::move(framing);
  m_record.clear();
  m_headerSeen = !m_framing.header.has_value();
  m_footerSeen = false;
}

bool Framer::push(char byte) {
  if (!m_framing.on) {
    m_record += byte;
    return false;
  }
  if (!m_headerSeen) {
    // Only the header starts a record; what comes before it is no part of one.
    if (static_cast<std::uint8_t>(byte) == *m_framing.header) {
      m_headerSeen = true;
      m_record += byte;
    }
    return false;
  }
  m_record += byte;
  if (m_framing.footer.empty()) return false;
  // The header byte is never part of the footer.
  const std::size_t bodyStart = m_framing.header ? 1 : 0;
  const std::string_view body = std::string_view(m_record).substr(bodyStart);
  m_footerSeen = body.ends_with(m_framing.footer);
  return m_footerSeen;
}

std::optional<std::string> Framer::inside() const {
  if (!m_framing.on) return m_record;
  if (!m_headerSeen) return std::nullopt;
  if (!m_framing.footer.empty() && !m_footerSeen) return std::nullopt;
  // A header code that is the lead byte of a double-byte character takes the whole
  // character with it.
  const std::size_t headLength = m_framing.header ? codec::charLengthAt(m_record, 0) : 0;
  if (headLength + m_framing.footer.size() > m_record.size()) return std::nullopt;
  return m_record.substr(headLength, m_record.size() - headLength - m_framing.footer.size());
}

std::optional<std::string> Framer::frame(std::string_view bytes, const Framing& framing) {
  Framer framer;
  framer.start(framing);
  for (const char byte : bytes) {
    if (framer.push(byte)) break;
  }
  return framer.inside();
}

bool Framer::takeWaiting() {
  if (m_waiting <= 0) return false;
  --m_waiting;
  return true;
}

}  // namespace orbelin::serial
