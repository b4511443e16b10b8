#include "app/desktop/KeyOutputBackend.h"

#include <cstdlib>

#include "platform/qt/QtClipboard.h"

#ifdef _WIN32
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/StartupShortcut.h"
#include "platform/win32/Win32SerialPort.h"
#else
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "platform/qtserial/QtSerialPort.h"
#include "platform/qtserial/SerialById.h"
#include "platform/x11/X11Keyboard.h"
#include "ui/shell/AutostartEntry.h"
#endif

namespace orbelin::app {

#ifdef _WIN32

KeyOutputBackend::KeyOutputBackend() : m_clipboard(std::make_unique<platform::qt::QtClipboard>()) {
  auto keyboard = std::make_unique<platform::win32::Win32Keyboard>(platform::qt::servingPause);
  auto* win32 = keyboard.get();
  m_releaseAll = [win32] { win32->releaseAll(); };
  m_keyboard = std::move(keyboard);
}

std::unique_ptr<platform::SerialPort> makeSerialPort(platform::EventLoop& loop) {
  return std::make_unique<platform::win32::Win32SerialPort>(loop);
}

platform::StableSerialNames stableSerialNames() { return {}; }

bool trayShowsMessages() { return true; }

std::optional<std::string> missingDisplay() { return std::nullopt; }

void writeStartupEntry(const std::filesystem::path& program, const std::optional<std::filesystem::path>& programDir) {
  if (const auto folder = platform::win32::startupFolder()) {
    platform::win32::writeStartupShortcut(*folder, program, programDir);
  }
}

#else

KeyOutputBackend::KeyOutputBackend() : m_clipboard(std::make_unique<platform::qt::QtClipboard>()) {
  auto opened = platform::x11::X11Keyboard::open(nullptr, platform::qt::servingPause);
  m_reason = std::move(opened.reason);
  if (!opened.keyboard) return;
  auto* x11 = opened.keyboard.get();
  m_releaseAll = [x11] { x11->releaseAll(); };
  m_keyboard = std::move(opened.keyboard);
}

std::unique_ptr<platform::SerialPort> makeSerialPort(platform::EventLoop& loop) {
  (void)loop;
  return std::make_unique<platform::qtserial::QtSerialPort>();
}

platform::StableSerialNames stableSerialNames() {
  return [] { return platform::qtserial::serialDevicesById(); };
}

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
  if (const auto folder = ui::autostartFolder()) ui::writeAutostartEntry(*folder, program, programDir);
}

#endif

KeyOutputBackend::~KeyOutputBackend() = default;

void KeyOutputBackend::releaseAll() {
  if (m_releaseAll) m_releaseAll();
}

}  // namespace orbelin::app
