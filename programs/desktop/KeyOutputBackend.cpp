#include "desktop/KeyOutputBackend.h"

#include <cstdlib>

#include "platform/qt/QtClipboard.h"

#ifdef _WIN32
#include "platform/win32/Win32Keyboard.h"
#else
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "platform/x11/X11Keyboard.h"
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
