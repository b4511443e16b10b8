#include "desktop/SystemServices.h"

#include <cstdlib>

#ifdef _WIN32
#include "platform/win32/SerialCommPorts.h"
#include "platform/win32/StartupShortcut.h"
#include "platform/win32/Win32SerialPort.h"
#else
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "platform/qtserial/QtSerialPort.h"
#include "platform/qtserial/SerialById.h"
#include "platform/posix/AutostartEntry.h"
#endif

namespace orbelin::app {

#ifdef _WIN32

std::unique_ptr<platform::SerialPort> makeSerialPort(platform::EventLoop& loop) {
  return std::make_unique<platform::win32::Win32SerialPort>(loop);
}

platform::StableSerialNames stableSerialNames() { return {}; }

platform::SystemSerialPorts systemSerialPorts() { return platform::win32::serialCommPorts; }

bool trayShowsMessages() { return true; }

std::optional<std::string> missingDisplay() { return std::nullopt; }

void writeStartupEntry(const std::filesystem::path& program, const std::optional<std::filesystem::path>& programDir) {
  if (const auto folder = platform::win32::startupFolder()) {
    platform::win32::writeStartupShortcut(*folder, program, programDir);
  }
}

#else

std::unique_ptr<platform::SerialPort> makeSerialPort(platform::EventLoop& loop) {
  (void)loop;
  return std::make_unique<platform::qtserial::QtSerialPort>();
}

platform::StableSerialNames stableSerialNames() {
  return [] { return platform::qtserial::serialDevicesById(); };
}

platform::SystemSerialPorts systemSerialPorts() { return {}; }

bool trayShowsMessages() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) return false;
  return bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value();
}

std::optional<std::string> missingDisplay() {
  if (std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
      std::getenv("QT_QPA_PLATFORM") != nullptr) {
    return std::nullopt;
  }
  return "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

void writeStartupEntry(const std::filesystem::path& program, const std::optional<std::filesystem::path>& programDir) {
  if (const auto folder = platform::posix::autostartFolder()) platform::posix::writeAutostartEntry(*folder, program, programDir);
}

#endif

}  // namespace orbelin::app
