#pragma once

#include <functional>
#include <optional>
#include <string>

#include "serial/ReconnectWatch.h"
#include "serial/SerialContext.h"

namespace orbelin::serial {

/// The connect button's captions, which also head the main window caption.
inline constexpr const char* kConnectedText = "接続中";
inline constexpr const char* kDisconnectedText = "未接続";

/// The port connection: opening with the settings (or by scanning), the connect toggle
/// and the visible connection status.
class Connection {
 public:
  explicit Connection(SerialContext& context) : m_context(context) {}

  /// Closes the port if open; when open is true configures and opens it (scanning COM16
  /// down to COM1 with PortScan "1"). True only when the port was opened; a failure is
  /// reported as "RSOpen".
  bool RSOpen(bool open);
  /// The connect toggle: closes an open port or opens a closed one, shows the real
  /// state and minimises the main window.
  void SetuzokuCmd_Click();
  /// Closes an open port and shows the closed state; nothing when closed.
  void disconnectIfOpen();
  /// The connect toggle at start-up: when the configured device is not there yet (a
  /// reader not plugged in), after the usual report it is waited for as a lost one is.
  void connectAtStartup();
  /// The one way a device lost while open is handled, however the loss showed (a
  /// notification, a failed read, write or wait): closes the port, shows the closed
  /// state with the port awaited, starts waiting for the device and then reports it once
  /// as "RSDataRecv". Nothing when the port is already closed.
  void deviceLost();
  /// True while a lost device is awaited.
  bool awaitingDevice() const { return m_watch.watching(); }
  /// Gives up waiting for a lost device (the user is changing the settings); nothing
  /// when none is awaited.
  void stopWaiting();

  /// Told false before the port closes and true once it has opened (device control).
  void setOpenListener(std::function<void(bool open)> listener) { m_openListener = std::move(listener); }

  bool isOpen() const { return m_context.port.isOpen(); }
  /// Counts the closings of the port, so a reader can tell that the port it read from
  /// was closed (and maybe opened again) meanwhile.
  unsigned closings() const { return m_closings; }
  /// The head of the main window caption: "接続中" or "未接続" as the connect button
  /// shows it, and while a device is awaited "未接続:" followed by the port awaited.
  const std::string& statusText() const { return m_statusText; }

 private:
  bool openPort(bool open);
  bool scanPorts(platform::PortRequest request);
  void showRealState();
  void startWaiting(const platform::PortRequest& request);
  void endWaiting();
  void deviceBack();

  SerialContext& m_context;
  std::string m_statusText = kDisconnectedText;
  unsigned m_closings = 0;
  std::function<void(bool)> m_openListener;
  ReconnectWatch m_watch{m_context};
  platform::PortRequest m_lastRequest;
  /// The request of the last open that failed because its device was not there.
  std::optional<platform::PortRequest> m_missingRequest;
  /// The caption head while a device is awaited; empty otherwise.
  std::string m_waitingHead;
  /// The caption the wait replaced when it had no status head (the one of start-up).
  std::string m_captionBeforeWait;
};

}  // namespace orbelin::serial
