#include "serial/Connection.h"

#include "text/Integers.h"
#include "report/WriteLog.h"
#include "serial/PortSetup.h"

namespace orbelin::serial {

namespace {

/// The error source of failures that the port itself reports.
constexpr std::string_view kPortSource = "SerialPort";

/// What follows head in caption when caption begins with that status head, which is
/// followed by the recent characters (":[...]") or by nothing.
std::optional<std::string> tailAfter(const std::string& caption, std::string_view head) {
  if (head.empty() || !caption.starts_with(head)) return std::nullopt;
  std::string tail = caption.substr(head.size());
  if (!tail.empty() && !tail.starts_with(":[")) return std::nullopt;
  return tail;
}

}  // namespace

using settings::Setting;

bool Connection::RSOpen(bool open) {
  // Whatever is asked for now replaces waiting for a lost device.
  m_watch.stop();
  if (m_openListener) m_openListener(false);
  const bool opened = openPort(open);
  endWaiting();
  if (opened && m_openListener) m_openListener(true);
  return opened;
}

bool Connection::openPort(bool open) {
  m_missingRequest.reset();
  if (m_context.port.isOpen()) {
    m_context.port.close();
    ++m_closings;
  }
  if (!open) return false;
  try {
    const auto& settings = m_context.settings();
    const int configured = settings.isOn(Setting::PortScan) ? 1 : text::toInteger(settings.get(Setting::Port));
    platform::PortRequest request = portRequestFor(configured, settings, m_context.paths.ini());
    if (settings.isOn(Setting::PortScan)) return scanPorts(request);
    const platform::PortResult result = m_context.port.open(request);
    if (!result.ok) {
      if (result.deviceMissing) m_missingRequest = request;
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
  m_statusText = open ? kConnectedText : m_waitingHead.empty() ? kDisconnectedText : m_waitingHead;
  m_context.window.setConnectButtonText(open ? kConnectedText : kDisconnectedText);
  m_context.tray.setIcon(open ? platform::IconState::Connected : platform::IconState::Disconnected,
                         m_context.window.caption());
}

void Connection::SetuzokuCmd_Click() {
  RSOpen(!m_context.port.isOpen());
  showRealState();
  m_context.window.minimize();
}

void Connection::connectAtStartup() {
  SetuzokuCmd_Click();
  // Only a device that is not there yet is worth waiting for; one that is there and
  // refuses (in use, settings it cannot take) stays closed as before.
  if (m_context.port.isOpen() || !m_missingRequest) return;
  startWaiting(*m_missingRequest);
  showRealState();
}

void Connection::stopWaiting() {
  if (!m_watch.watching()) return;
  m_watch.stop();
  endWaiting();
  showRealState();
}

void Connection::startWaiting(const platform::PortRequest& request) {
  m_lastRequest = request;
  m_watch.start(request, [this] { deviceBack(); });
  // The caption names the port awaited in place of its status head and keeps the
  // recent characters after it.
  const std::string caption = m_context.window.caption();
  std::optional<std::string> tail = tailAfter(caption, kConnectedText);
  if (!tail) tail = tailAfter(caption, kDisconnectedText);
  m_captionBeforeWait = tail ? std::string() : caption;
  m_waitingHead = std::string(kDisconnectedText) + ":" + portLabel(request.number, m_context.paths.ini());
  m_statusText = m_waitingHead;
  m_context.window.setCaption(m_waitingHead + tail.value_or(""));
}

void Connection::endWaiting() {
  if (m_waitingHead.empty()) return;
  const bool open = m_context.port.isOpen();
  m_statusText = open ? kConnectedText : kDisconnectedText;
  const std::optional<std::string> tail = tailAfter(m_context.window.caption(), m_waitingHead);
  m_waitingHead.clear();
  if (!tail) return;
  if (tail->empty() && !m_captionBeforeWait.empty()) {
    m_context.window.setCaption(m_captionBeforeWait);
  } else {
    m_context.window.setCaption(m_statusText + *tail);
  }
}

void Connection::disconnectIfOpen() {
  if (!m_context.port.isOpen()) return;
  RSOpen(false);
  showRealState();
}

void Connection::deviceLost() {
  if (!m_context.port.isOpen()) return;
  RSOpen(false);
  startWaiting(m_lastRequest);
  showRealState();
  // Last: the box waits for a click, and the reader may come back before it comes; it
  // leaves the focus to the program that the scans after the return are typed into.
  m_context.reporter.reportAside("RSDataRecv", kPortSource, "ポートのデバイスが見つからなくなりました。");
}

void Connection::deviceBack() {
  // The caption keeps the last characters read; only its status head changes back.
  endWaiting();
  showRealState();
  // A line in the error log, next to the one that reported the loss; no box.
  report::WriteLog("[RSOpen] " + std::string(kPortSource) + ":再接続しました " + m_lastRequest.device,
                   m_context.paths.errorLog(), m_context.clock);
  if (m_openListener) m_openListener(true);
}

}  // namespace orbelin::serial
