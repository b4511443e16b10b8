#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orbelin::platform {

enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };
/// 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both.
enum class Handshake { None = 0, XonXoff = 1, RtsCts = 2, XonXoffRtsCts = 3 };

/// Everything one open needs: COM number, the device behind it and the line settings.
struct PortRequest {
  int number = 1;
  std::string device;
  int baud = 9600;
  Parity parity = Parity::None;
  int dataBits = 8;
  StopBits stopBits = StopBits::One;
  Handshake handshake = Handshake::None;
  int bufferSize = 5120;
};

/// Outcome of an open; description is the system's message on failure, advice what the
/// user can do about it when the cause is known (empty otherwise). deviceMissing tells a
/// failure because nothing is at the device's path (a reader not plugged in) from one
/// where the device is there and refuses (in use, denied, settings it cannot take).
struct PortResult {
  bool ok = false;
  std::string description;
  bool deviceMissing = false;
  std::string advice = {};
};

/// Port notifications. Received means at least one byte waits; DeviceLost means the
/// device went away while open (a USB reader unplugged) and is sent once.
enum class PortEvent { Received = 2, DeviceLost = 1011 };

/// One serial port as reception needs it: the threshold and the read length are one byte.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  /// Opens the device with the given settings; a closed port on failure.
  virtual PortResult open(const PortRequest& request) = 0;
  /// Closes the port; nothing when it is closed.
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  /// Bytes received and not read yet, as the port really holds them.
  virtual int bytesWaiting() = 0;
  /// Reads one waiting byte; nothing when no byte waits.
  virtual std::optional<std::uint8_t> readByte() = 0;
  /// Writes one byte to the device (a request or answer for the reader); false when the
  /// port is closed or the write did not go out.
  virtual bool writeByte(std::uint8_t byte) = 0;
  /// True while open when the device has gone away (unplugged, hung up, failing every
  /// read): a read or write that failed tells a lost device from a passing fault by it.
  virtual bool gone() = 0;
  /// Where notifications go; they are delivered from the event loop, never nested in a
  /// call to the port.
  virtual void setEventHandler(std::function<void(PortEvent)> handler) = 0;
};

}  // namespace orbelin::platform
