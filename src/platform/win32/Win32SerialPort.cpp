#include "platform/win32/Win32SerialPort.h"

#include <windows.h>

#include "platform/win32/SystemMessage.h"

namespace orbelin::platform::win32 {

namespace {

BYTE parityOf(Parity parity) {
  switch (parity) {
    case Parity::Odd: return ODDPARITY;
    case Parity::Even: return EVENPARITY;
    case Parity::Mark: return MARKPARITY;
    case Parity::Space: return SPACEPARITY;
    case Parity::None: break;
  }
  return NOPARITY;
}

BYTE stopBitsOf(StopBits bits) {
  switch (bits) {
    case StopBits::OneAndHalf: return ONE5STOPBITS;
    case StopBits::Two: return TWOSTOPBITS;
    case StopBits::One: break;
  }
  return ONESTOPBIT;
}

void applyLine(DCB& dcb, const PortRequest& request) {
  dcb.BaudRate = static_cast<DWORD>(request.baud);
  dcb.ByteSize = static_cast<BYTE>(request.dataBits);
  dcb.Parity = parityOf(request.parity);
  dcb.StopBits = stopBitsOf(request.stopBits);
  dcb.fBinary = TRUE;
  dcb.fParity = request.parity == Parity::None ? FALSE : TRUE;
  const bool xonXoff = request.handshake == Handshake::XonXoff || request.handshake == Handshake::XonXoffRtsCts;
  const bool rtsCts = request.handshake == Handshake::RtsCts || request.handshake == Handshake::XonXoffRtsCts;
  dcb.fOutX = xonXoff ? TRUE : FALSE;
  dcb.fInX = xonXoff ? TRUE : FALSE;
  dcb.fOutxCtsFlow = rtsCts ? TRUE : FALSE;
  dcb.fRtsControl = rtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fAbortOnError = FALSE;
}

}  // namespace

std::string windowsDeviceName(const PortRequest& request) {
  const std::string& device = request.device;
  if (device.starts_with("\\\\.\\") || device.starts_with("COM")) {
    return device.starts_with("COM") ? "\\\\.\\" + device : device;
  }
  return "\\\\.\\COM" + std::to_string(request.number);
}

Win32SerialPort::Win32SerialPort(EventLoop& loop) : m_loop(loop) {}

Win32SerialPort::~Win32SerialPort() { close(); }

PortResult Win32SerialPort::open(const PortRequest& request) {
  close();
  const std::string name = windowsDeviceName(request);
  HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return {false, name + ": " + systemMessage(error), error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND};
  }
  const auto refuse = [&](const char* step) {
    const std::string description = name + ": " + step + ": " + systemMessage(GetLastError());
    CloseHandle(handle);
    return PortResult{false, description};
  };
  const DWORD buffer = static_cast<DWORD>(request.bufferSize);
  if (!SetupComm(handle, buffer, buffer)) return refuse("SetupComm");
  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  if (!GetCommState(handle, &dcb)) return refuse("GetCommState");
  applyLine(dcb, request);
  if (!SetCommState(handle, &dcb)) return refuse("SetCommState");
  // Reads return at once with what is there: the poll decides when to read.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  if (!SetCommTimeouts(handle, &timeouts)) return refuse("SetCommTimeouts");
  m_handle = handle;
  m_notified = 0;
  m_lostReported = false;
  m_timer = m_loop.startTimer(kPollMs, true, [this] { poll(); });
  return {true, {}};
}

void Win32SerialPort::close() {
  if (m_handle == nullptr) return;
  m_loop.stopTimer(m_timer);
  CloseHandle(static_cast<HANDLE>(m_handle));
  m_handle = nullptr;
}

int Win32SerialPort::driverBytes(bool& ok) {
  DWORD errors = 0;
  COMSTAT status{};
  ok = ClearCommError(static_cast<HANDLE>(m_handle), &errors, &status) != 0;
  return ok ? static_cast<int>(status.cbInQue) : 0;
}

int Win32SerialPort::bytesWaiting() {
  if (m_handle == nullptr) return 0;
  bool ok = false;
  return driverBytes(ok);
}

std::optional<std::uint8_t> Win32SerialPort::readByte() {
  if (m_handle == nullptr) return std::nullopt;
  char byte = 0;
  DWORD got = 0;
  if (!ReadFile(static_cast<HANDLE>(m_handle), &byte, 1, &got, nullptr)) {
    m_loop.post([this] { lost(); });
    return std::nullopt;
  }
  if (got != 1) return std::nullopt;
  if (m_notified > 0) --m_notified;
  return static_cast<std::uint8_t>(byte);
}

bool Win32SerialPort::writeByte(std::uint8_t byte) {
  if (m_handle == nullptr) return false;
  const auto out = static_cast<char>(byte);
  DWORD written = 0;
  return WriteFile(static_cast<HANDLE>(m_handle), &out, 1, &written, nullptr) && written == 1;
}

bool Win32SerialPort::gone() {
  if (m_handle == nullptr) return false;
  bool ok = false;
  driverBytes(ok);
  return m_lostReported || !ok;
}

void Win32SerialPort::poll() {
  if (m_handle == nullptr) return;
  bool ok = false;
  const int waiting = driverBytes(ok);
  if (!ok) {
    lost();
    return;
  }
  // One notification per arrival, as the driver's receive event gives it: bytes the
  // handler left waiting are not announced again until more come.
  if (waiting <= m_notified) {
    m_notified = waiting;
    return;
  }
  m_notified = waiting;
  if (m_handler) m_handler(PortEvent::Received);
  if (m_handle != nullptr) {
    bool again = false;
    m_notified = driverBytes(again);
  }
}

void Win32SerialPort::lost() {
  if (m_handle == nullptr || m_lostReported) return;
  m_lostReported = true;
  m_loop.stopTimer(m_timer);
  if (m_handler) m_handler(PortEvent::DeviceLost);
}

}  // namespace orbelin::platform::win32
