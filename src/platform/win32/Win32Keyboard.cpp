#include "platform/win32/Win32Keyboard.h"

#include <windows.h>

#include <algorithm>

#include "codec/Cp932.h"

namespace orbelin::platform::win32 {

namespace {

// How long a key event may take to reach the foreground thread; a hung program is not
// waited for longer.
constexpr int kKeyWaitMs = 500;

void sendKey(std::uint8_t virtualKey, std::uint8_t scanCode, bool extended, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0u) | (up ? KEYEVENTF_KEYUP : 0u);
  SendInput(1, &input, sizeof(INPUT));
}

}  // namespace

std::u16string utf16Of(char32_t point) {
  if (point > 0x10FFFF || codec::isStrayByte(point)) return {};
  if (point < 0x10000) return std::u16string(1, static_cast<char16_t>(point));
  const char32_t rest = point - 0x10000;
  return {static_cast<char16_t>(0xD800 + (rest >> 10)), static_cast<char16_t>(0xDC00 + (rest & 0x3FF))};
}

Win32Keyboard::~Win32Keyboard() {
  releaseAll();
  detach();
}

void Win32Keyboard::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
  const bool up = (flags & kKeyUp) != 0;
  // Attached before the key goes out: attaching merges the two threads' key states, which
  // could drop a key that is on its way.
  const bool attached = attachToForeground();
  sendKey(virtualKey, scanCode, (flags & kKeyExtended) != 0, up);
  if (attached) waitUntilTaken(virtualKey, up);
  const auto held = std::find(m_held.begin(), m_held.end(), virtualKey);
  if (up && held != m_held.end()) m_held.erase(held);
  if (!up && held == m_held.end()) m_held.push_back(virtualKey);
}

std::int16_t Win32Keyboard::keyForCharacter(std::uint8_t character) {
  return VkKeyScanA(static_cast<CHAR>(character));
}

std::uint8_t Win32Keyboard::scanCodeOf(std::uint8_t virtualKey) {
  return static_cast<std::uint8_t>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
}

std::optional<WindowId> Win32Keyboard::focusWindow() {
  if (!attachToForeground()) return std::nullopt;
  HWND focus = GetFocus();
  if (focus == nullptr) return std::nullopt;
  return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(focus));
}

bool Win32Keyboard::attachToForeground() {
  HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return false;
  const DWORD target = GetWindowThreadProcessId(foreground, nullptr);
  const DWORD self = GetCurrentThreadId();
  if (target == m_attached || target == self) return true;
  detach();
  if (!AttachThreadInput(self, target, TRUE)) return false;
  m_attached = target;
  return true;
}

void Win32Keyboard::detach() {
  if (m_attached != 0) AttachThreadInput(GetCurrentThreadId(), m_attached, FALSE);
  m_attached = 0;
}

void Win32Keyboard::postCharacter(WindowId window, char32_t character) {
  if (window == 0) return;
  HWND target = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
  for (char16_t unit : utf16Of(character)) PostMessageW(target, WM_IME_CHAR, unit, 1);
}

void Win32Keyboard::sleep(int ms) {
  if (ms <= 0) return;
  if (m_pause) {
    m_pause(ms);
  } else {
    Sleep(static_cast<DWORD>(ms));
  }
}

void Win32Keyboard::releaseAll() {
  while (!m_held.empty()) {
    const std::uint8_t key = m_held.back();
    m_held.pop_back();
    sendKey(key, scanCodeOf(key), false, true);
  }
}

void Win32Keyboard::waitUntilTaken(std::uint8_t virtualKey, bool up) {
  // Attached to the foreground thread, GetKeyState shows the key state as of the last
  // input message that thread took.
  for (int waited = 0; waited < kKeyWaitMs; ++waited) {
    const bool down = (GetKeyState(virtualKey) & 0x8000) != 0;
    if (down != up) break;
    sleep(1);
  }
}

}  // namespace orbelin::platform::win32
