#pragma once

#include <functional>
#include <string>

#include "platform/EventLoop.h"
#include "platform/SerialPort.h"

namespace orbelin::platform::win32 {

/// A COM port through the Win32 communications API. Received bytes are noticed by the
/// event loop asking the driver for its waiting-byte count every kPollMs while the port is
/// open: an overlapped WaitCommEvent never signals under Wine, and a poll this slow costs
/// next to nothing. A failing status query or read means the device went away; that is
/// reported once per open.
class Win32SerialPort final : public SerialPort {
 public:
  static constexpr int kPollMs = 10;

  explicit Win32SerialPort(EventLoop& loop);
  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  PortResult open(const PortRequest& request) override;
  void close() override;
  bool isOpen() const override { return m_handle != nullptr; }
  int bytesWaiting() override;
  std::optional<std::uint8_t> readByte() override;
  bool writeByte(std::uint8_t byte) override;
  bool gone() override;
  void setEventHandler(std::function<void(PortEvent)> handler) override { m_handler = std::move(handler); }

 private:
  void poll();
  void lost();
  int driverBytes(bool& ok);

  EventLoop& m_loop;
  void* m_handle = nullptr;
  EventLoop::TimerId m_timer = 0;
  int m_notified = 0;
  bool m_lostReported = false;
  std::function<void(PortEvent)> m_handler;
};

/// The Windows device name for a request: the PORTS entry when it names a Windows device,
/// otherwise \\.\COMn.
std::string windowsDeviceName(const PortRequest& request);

}  // namespace orbelin::platform::win32
