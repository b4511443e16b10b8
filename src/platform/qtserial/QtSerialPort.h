#pragma once

#include <QSerialPort>

#include "platform/SerialPort.h"

namespace orbelin::platform::qtserial {

/// The serial port through Qt SerialPort. Notifications are queued calls, so the
/// handler runs from the event loop and a wait inside it still sees new ones; at most
/// one receive notification is queued at a time. The count of waiting bytes includes
/// what the driver holds and Qt has not fetched yet.
class QtSerialPort : public SerialPort {
 public:
  QtSerialPort();
  PortResult open(const PortRequest& request) override;
  void close() override;
  bool isOpen() const override { return m_port.isOpen(); }
  int bytesWaiting() override;
  std::optional<std::uint8_t> readByte() override;
  bool writeByte(std::uint8_t byte) override;
  bool gone() override { return m_port.isOpen() && (m_lostReported || deviceGone()); }
  void setEventHandler(std::function<void(PortEvent)> handler) override { m_handler = std::move(handler); }

 private:
  void queueReceived();
  void onError(QSerialPort::SerialPortError error);
  int driverBytes() const;
  bool deviceGone() const;

  QSerialPort m_port;
  std::function<void(PortEvent)> m_handler;
  bool m_receivedQueued = false;
  bool m_lostReported = false;
};

}  // namespace orbelin::platform::qtserial
