#include "platform/qtserial/QtSerialPort.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>

#include "platform/qtserial/PortPermission.h"

namespace orbelin::platform::qtserial {

namespace {

QSerialPort::Parity qtParity(Parity parity) {
  switch (parity) {
    case Parity::Odd: return QSerialPort::OddParity;
    case Parity::Even: return QSerialPort::EvenParity;
    case Parity::Mark: return QSerialPort::MarkParity;
    case Parity::Space: return QSerialPort::SpaceParity;
    case Parity::None: break;
  }
  return QSerialPort::NoParity;
}

QSerialPort::DataBits qtDataBits(int bits) {
  switch (bits) {
    case 5: return QSerialPort::Data5;
    case 6: return QSerialPort::Data6;
    case 7: return QSerialPort::Data7;
    default: return QSerialPort::Data8;
  }
}

}  // namespace

QtSerialPort::QtSerialPort() {
  QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] { queueReceived(); });
  QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                   [this](QSerialPort::SerialPortError error) { onError(error); });
}

PortResult QtSerialPort::open(const PortRequest& request) {
  close();
  if (request.handshake == Handshake::XonXoffRtsCts) {
    return {false, "XON/XOFF と RTS/CTS の併用はこのシステムのシリアルポートでは使用できません。"};
  }
  m_port.setPortName(QString::fromStdString(request.device));
  m_port.setBaudRate(request.baud);
  m_port.setParity(qtParity(request.parity));
  m_port.setDataBits(qtDataBits(request.dataBits));
  m_port.setStopBits(request.stopBits == StopBits::Two ? QSerialPort::TwoStop : QSerialPort::OneStop);
  m_port.setFlowControl(request.handshake == Handshake::XonXoff  ? QSerialPort::SoftwareControl
                        : request.handshake == Handshake::RtsCts ? QSerialPort::HardwareControl
                                                                 : QSerialPort::NoFlowControl);
  m_port.setReadBufferSize(request.bufferSize);
  m_lostReported = false;
  if (!m_port.open(QIODevice::ReadWrite)) {
    const std::string description = m_port.errorString().toStdString();
    const bool missing = m_port.error() == QSerialPort::DeviceNotFoundError;
    m_port.clearError();
    PortResult failed{false, description.empty() ? request.device : request.device + ": " + description, missing};
    // A reader the user may not open is the commonest first-day failure; say what fixes it.
    if (auto advice = permissionAdvice(request.device)) {
      failed.description += " / " + *advice;
      failed.advice = std::move(*advice);
    }
    return failed;
  }
  return {true, {}};
}

void QtSerialPort::close() {
  if (m_port.isOpen()) m_port.close();
  m_port.clearError();
}

int QtSerialPort::driverBytes() const {
  int count = 0;
  if (::ioctl(static_cast<int>(m_port.handle()), FIONREAD, &count) != 0) return 0;
  return count;
}

int QtSerialPort::bytesWaiting() {
  if (!m_port.isOpen()) return 0;
  return static_cast<int>(m_port.bytesAvailable()) + driverBytes();
}

std::optional<std::uint8_t> QtSerialPort::readByte() {
  if (!m_port.isOpen()) return std::nullopt;
  char c = 0;
  if (m_port.bytesAvailable() > 0) {
    if (!m_port.getChar(&c)) return std::nullopt;
    return static_cast<std::uint8_t>(c);
  }
  // Qt stops watching the line once its buffer (the receive buffer size) is full, and
  // watches again only when asked for more than the buffer holds: ask, or a burst
  // longer than the buffer would never be announced again once it is read.
  if (m_port.read(&c, 1) == 1) return static_cast<std::uint8_t>(c);
  // Qt's buffer is empty, so the next byte in order is the driver's.
  const auto got = ::read(static_cast<int>(m_port.handle()), &c, 1);
  if (got != 1) return std::nullopt;
  return static_cast<std::uint8_t>(c);
}

bool QtSerialPort::writeByte(std::uint8_t byte) {
  if (!m_port.isOpen()) return false;
  const char c = static_cast<char>(byte);
  if (m_port.write(&c, 1) != 1) return false;
  // One byte is sent at once rather than when the event loop next comes round, so a
  // request reaches the reader even while a record is being typed.
  return m_port.flush() || m_port.bytesToWrite() == 0;
}

void QtSerialPort::queueReceived() {
  if (m_receivedQueued) return;
  m_receivedQueued = true;
  QMetaObject::invokeMethod(
      &m_port,
      [this] {
        m_receivedQueued = false;
        if (m_port.isOpen() && m_handler) m_handler(PortEvent::Received);
      },
      Qt::QueuedConnection);
}

bool QtSerialPort::deviceGone() const {
  pollfd state{static_cast<int>(m_port.handle()), POLLIN, 0};
  if (::poll(&state, 1, 0) < 0) return true;
  if ((state.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return true;
  std::error_code ignored;
  return !std::filesystem::exists(m_port.portName().toStdString(), ignored) &&
         !std::filesystem::exists("/dev/" + m_port.portName().toStdString(), ignored);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
  // A device that goes away makes Qt repeat its error without end (a resource error for
  // an unplugged USB reader, a read error for a hung-up line): the first one is passed
  // on, the program closes the port, the rest are ignored.
  if (!m_port.isOpen() || m_lostReported) return;
  if (error != QSerialPort::ResourceError && !(error == QSerialPort::ReadError && deviceGone())) return;
  m_lostReported = true;
  QMetaObject::invokeMethod(
      &m_port,
      [this] {
        if (m_port.isOpen() && m_handler) m_handler(PortEvent::DeviceLost);
      },
      Qt::QueuedConnection);
}

}  // namespace orbelin::platform::qtserial
