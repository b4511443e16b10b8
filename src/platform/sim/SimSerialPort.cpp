#include "platform/sim/SimSerialPort.h"

#include <algorithm>
#include <string_view>

namespace orbelin::platform::sim {

PortResult SimSerialPort::open(const PortRequest& request) {
  if (m_open) return {false, "ポートは既に開いています。"};
  if (m_unplugged || !m_available.contains(request.number)) {
    return {false, "デバイスが見つかりません: " + request.device, true};
  }
  m_open = true;
  m_request = request;
  m_buffer.clear();
  m_transcript.add("port open " + std::to_string(request.number));
  return {true, {}};
}

void SimSerialPort::close() {
  if (!m_open) return;
  m_open = false;
  m_buffer.clear();
  m_transcript.add("port close");
}

void SimSerialPort::takeDueArrivals() {
  const std::int64_t now = m_loop.clock().monotonicMs();
  auto due = std::stable_partition(m_arrivals.begin(), m_arrivals.end(),
                                   [now](const Arrival& a) { return a.atMs <= now; });
  for (auto it = m_arrivals.begin(); it != due; ++it) {
    // A closed port receives nothing: the bytes are lost on the line.
    if (m_open && (!m_unplugged || m_silent)) m_buffer.insert(m_buffer.end(), it->bytes.begin(), it->bytes.end());
  }
  m_arrivals.erase(m_arrivals.begin(), due);
}

int SimSerialPort::bytesWaiting() {
  if (!m_open) return 0;
  takeDueArrivals();
  return static_cast<int>(m_buffer.size());
}

std::optional<std::uint8_t> SimSerialPort::readByte() {
  if (!m_open || m_unplugged) return std::nullopt;
  takeDueArrivals();
  if (m_buffer.empty()) return std::nullopt;
  const std::uint8_t byte = m_buffer.front();
  m_buffer.pop_front();
  return byte;
}

bool SimSerialPort::writeByte(std::uint8_t byte) {
  // A device that is gone takes nothing, even before the program has heard of the loss.
  if (!m_open || m_unplugged) return false;
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string line = "port write ";
  line += kHex[byte >> 4];
  line += kHex[byte & 0x0F];
  m_transcript.add(std::move(line));
  return true;
}

void SimSerialPort::notify(PortEvent event) {
  if (m_handler) m_handler(event);
}

void SimSerialPort::arriveAt(std::int64_t atMs, std::string bytes) {
  if (bytes.empty()) return;
  m_arrivals.push_back({atMs, std::move(bytes)});
  m_loop.scheduleAt(atMs, [this] {
    takeDueArrivals();
    if (m_open && !m_buffer.empty()) notify(PortEvent::Received);
  });
}

void SimSerialPort::unplug() {
  if (m_unplugged) return;
  m_unplugged = true;
  m_buffer.clear();
  if (m_open) m_loop.post([this] { notify(PortEvent::DeviceLost); });
}

}  // namespace orbelin::platform::sim
