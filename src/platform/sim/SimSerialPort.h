#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/SerialPort.h"
#include "platform/common/Transcript.h"
#include "platform/sim/SimEventLoop.h"

namespace orbelin::platform::sim {

/// A serial port fed from a script: byte arrivals at virtual times, each followed by a
/// receive notification from the event loop. Bytes count as waiting from their arrival
/// time on, whether or not the program has seen the notification yet. Writes
/// "port open N", "port write HH" and "port close" to the transcript.
class SimSerialPort : public SerialPort {
 public:
  SimSerialPort(SimEventLoop& loop, Transcript& transcript) : m_loop(loop), m_transcript(transcript) {}

  PortResult open(const PortRequest& request) override;
  void close() override;
  bool isOpen() const override { return m_open; }
  int bytesWaiting() override;
  std::optional<std::uint8_t> readByte() override;
  bool writeByte(std::uint8_t byte) override;
  bool gone() override { return m_open && m_unplugged; }
  void setEventHandler(std::function<void(PortEvent)> handler) override { m_handler = std::move(handler); }

  /// The COM numbers that have a device; every number from 1 to 16 unless told.
  void setAvailablePorts(std::set<int> numbers) { m_available = std::move(numbers); }
  /// Bytes arriving from the reader together at virtual time atMs.
  void arriveAt(std::int64_t atMs, std::string bytes);
  /// Bytes arriving now.
  void arrive(std::string bytes) { arriveAt(m_loop.clock().monotonicMs(), std::move(bytes)); }
  /// The device goes away: one DeviceLost notification, and nothing arrives any more.
  void unplug();
  /// The device goes away unannounced, as a failing read or write shows it first: no
  /// notification comes, the bytes received are still counted (and announced) but cannot
  /// be read, and writes fail.
  void unplugSilently() {
    m_unplugged = true;
    m_silent = true;
  }
  /// The device comes back: it can be opened again.
  void replug() { m_unplugged = m_silent = false; }
  /// The request of the last successful open.
  const PortRequest& lastRequest() const { return m_request; }

 private:
  struct Arrival {
    std::int64_t atMs;
    std::string bytes;
  };
  void takeDueArrivals();
  void notify(PortEvent event);

  SimEventLoop& m_loop;
  Transcript& m_transcript;
  std::function<void(PortEvent)> m_handler;
  std::set<int> m_available = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  std::vector<Arrival> m_arrivals;
  std::deque<std::uint8_t> m_buffer;
  PortRequest m_request;
  bool m_open = false;
  bool m_unplugged = false;
  bool m_silent = false;
};

}  // namespace orbelin::platform::sim
