#include "app/desktop/KeyOutputBackend.h"

#include <cstdlib>

#include "platform/qt/QtClipboard.h"

#ifdef _WIN32
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/SerialCommPorts.h"
#include "platform/win32/StartupShortcut.h"
#include "platform/win32/Win32SerialPort.h"
#else
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "platform/qtserial/QtSerialPort.h"
#include "platform/qtserial/SerialById.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "platform/x11/X11Keyboard.h"
#include "ui/shell/AutostartEntry.h"
#endif

namespace orbelin::app {

#ifdef _WIN32

KeyOutputBackend::KeyOutputBackend(KeyboardChoice choice)
    : m_clipboard(std::make_unique<platform::qt::QtClipboard>()) {
  (void)choice;
  auto keyboard = std::make_unique<platform::win32::Win32Keyboard>(platform::qt::servingPause);
  auto* win32 = keyboard.get();
  m_releaseAll = [win32] { win32->releaseAll(); };
  m_keyboard = std::move(keyboard);
}

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

namespace {

constexpr const char* kOnlyX11Text =
    "このデスクトップ (Wayland) には仮想キーボードの機能がないため、キー入力は X11 のプログラムにしか届きません。";

}  // namespace

KeyOutputBackend::KeyOutputBackend(KeyboardChoice choice)
    : m_clipboard(std::make_unique<platform::qt::QtClipboard>()) {
  const bool waylandSession = std::getenv("WAYLAND_DISPLAY") != nullptr;
  if (choice == KeyboardChoice::Wayland || (choice == KeyboardChoice::Auto && waylandSession)) {
    auto opened = platform::wayland::WaylandKeyboard::open(nullptr, platform::qt::servingPause);
    if (opened.keyboard) {
      auto* wayland = opened.keyboard.get();
      m_releaseAll = [wayland] { wayland->releaseAll(); };
      m_keyboard = std::move(opened.keyboard);
      // Qt's clipboard serves only while a window of ours has the focus on Wayland.
      if (auto clipboard = platform::wayland::WaylandClipboard::open(); clipboard.clipboard) {
        m_clipboard = std::move(clipboard.clipboard);
      }
      return;
    }
    m_reason = opened.reason;
    if (choice == KeyboardChoice::Wayland) return;
    // GNOME, KDE Plasma: only programs under XWayland can receive synthetic keys.
    if (opened.failure == platform::wayland::WaylandKeyboard::Failure::NoVirtualKeyboard) {
      m_notice = std::string(kOnlyX11Text) + " (" + opened.reason + ")";
    }
  }
  auto opened = platform::x11::X11Keyboard::open(nullptr, platform::qt::servingPause);
  if (!opened.keyboard) {
    m_reason = m_reason.empty() ? opened.reason : m_reason + "; " + opened.reason;
    return;
  }
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
  if (const auto folder = ui::autostartFolder()) ui::writeAutostartEntry(*folder, program, programDir);
}

#endif

KeyOutputBackend::~KeyOutputBackend() = default;

std::optional<KeyboardChoice> parseKeyboardChoice(std::string_view name) {
  if (name == "auto") return KeyboardChoice::Auto;
  if (name == "wayland") return KeyboardChoice::Wayland;
  if (name == "x11") return KeyboardChoice::X11;
  return std::nullopt;
}

void KeyOutputBackend::releaseAll() {
  if (m_releaseAll) m_releaseAll();
}

}  // namespace orbelin::app
