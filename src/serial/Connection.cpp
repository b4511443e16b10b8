#include "serial/Connection.h"

#include "convert/text/Integers.h"
#include "report/WriteLog.h"
#include "serial/PortSetup.h"

namespace orbelin::serial {

namespace {

/// The error source of failures that the port itself reports.
constexpr std::string_view kPortSource = "SerialPort";

}  // namespace

using settings::Setting;

bool Connection::RSOpen(bool open) {
  // Whatever is asked for now replaces waiting for a lost device.
  m_watch.stop();
  if (m_openListener) m_openListener(false);
  const bool opened = openPort(open);
  if (opened && m_openListener) m_openListener(true);
  return opened;
}

bool Connection::openPort(bool open) {
  m_pending = 0;
  if (m_context.port.isOpen()) m_context.port.close();
  if (!open) return false;
  try {
    const auto& settings = m_context.settings();
    const int configured = settings.isOn(Setting::PortScan) ? 1 : text::toInteger(settings.get(Setting::Port));
    platform::PortRequest request = portRequestFor(configured, settings, m_context.paths.ini());
    if (settings.isOn(Setting::PortScan)) return scanPorts(request);
    const platform::PortResult result = m_context.port.open(request);
    if (!result.ok) {
      m_context.reporter.report("RSOpen", kPortSource, result.description, result.advice);
      return false;
    }
    m_lastRequest = request;
    return true;
  } catch (const std::exception& failure) {
    m_context.port.close();
    m_context.reporter.report("RSOpen", failure);
    return false;
  }
}

bool Connection::scanPorts(platform::PortRequest request) {
  platform::PortResult lastFailure;
  for (int number = kHighestPort; number >= 1; --number) {
    request.number = number;
    request.device = deviceForPort(number, m_context.paths.ini());
    const platform::PortResult result = m_context.port.open(request);
    if (result.ok) {
      m_context.configuration.settings.set(Setting::Port, std::to_string(number));
      m_lastRequest = request;
      return true;
    }
    lastFailure = result;
  }
  m_context.reporter.report("RSOpen", kPortSource, lastFailure.description, lastFailure.advice);
  return false;
}

void Connection::showRealState() {
  const bool open = m_context.port.isOpen();
  m_statusText = open ? kConnectedText : kDisconnectedText;
  m_context.window.setConnectButtonText(m_statusText);
  m_context.tray.setIcon(open ? platform::IconState::Connected : platform::IconState::Disconnected,
                         m_context.window.caption());
}

void Connection::SetuzokuCmd_Click() {
  RSOpen(!m_context.port.isOpen());
  showRealState();
  m_context.window.minimize();
}

void Connection::disconnectIfOpen() {
  if (!m_context.port.isOpen()) return;
  RSOpen(false);
  showRealState();
}

void Connection::deviceLost() {
  if (!m_context.port.isOpen()) return;
  RSOpen(false);
  showRealState();
  m_context.reporter.report("RSDataRecv", kPortSource, "ポートのデバイスが見つからなくなりました。");
  m_watch.start(m_lastRequest, [this] { deviceBack(); });
}

void Connection::deviceBack() {
  m_pending = 0;
  // The caption keeps the last characters read; only its status head changes back.
  const std::string caption = m_context.window.caption();
  const std::string_view lost = kDisconnectedText;
  if (caption.starts_with(lost)) m_context.window.setCaption(kConnectedText + caption.substr(lost.size()));
  showRealState();
  // A line in the error log, next to the one that reported the loss; no box.
  report::WriteLog("[RSOpen] " + std::string(kPortSource) + ":再接続しました " + m_lastRequest.device,
                   m_context.paths.errorLog(), m_context.clock);
  if (m_openListener) m_openListener(true);
}

void Connection::syncPendingByteCount() {
  m_pending = m_context.port.isOpen() ? m_context.port.bytesWaiting() : 0;
}

}  // namespace orbelin::serial
