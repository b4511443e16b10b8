#include "platform/win32/ImeOpenSwitch.h"

#include <utility>

namespace orbelin::platform::win32 {

namespace {

constexpr const char* kNoticeText = "IMEをオフにできないため、そのまま入力します。";

}  // namespace

// The IME is closed rather than typed around: keys from SendInput pass through the IME of
// the focus window's thread, and Enter or Tab would only commit a composition. Another
// program's IME cannot be switched with ImmSetOpenStatus; its default IME window takes
// WM_IME_CONTROL from any process.
void ImeOpenSwitch::suspend() {
  m_closed = 0;
  const std::uintptr_t window = m_calls->imeWindowOfFocus();
  // A window without an IME window has nothing that could compose.
  if (window == 0) return;
  const auto open = m_calls->control(window, kGetOpenStatus, 0, kAnswerMs);
  if (!open) {
    failed("IMC_GETOPENSTATUS");
    return;
  }
  if (*open == 0) return;
  // A close that timed out may still be carried out later: it is given back all the same.
  m_closed = window;
  if (!m_calls->control(window, kSetOpenStatus, 0, kAnswerMs)) failed("IMC_SETOPENSTATUS");
}

// Called once the record's last key has been taken by the focus window's thread (see
// Win32Keyboard::keyEvent): that thread's IME has seen every key of the record, and a
// sent message is handled before any later input, so the IME opens after the record.
void ImeOpenSwitch::restore() {
  const std::uintptr_t window = std::exchange(m_closed, 0);
  if (window == 0) return;
  if (!m_calls->control(window, kSetOpenStatus, 1, kAnswerMs)) failed("IMC_SETOPENSTATUS");
}

std::string ImeOpenSwitch::takeNotice() { return std::exchange(m_notice, {}); }

void ImeOpenSwitch::failed(const char* what) {
  if (m_noticed) return;
  m_noticed = true;
  m_notice = std::string(kNoticeText) + " (WM_IME_CONTROL " + what + ": no answer)";
}

}  // namespace orbelin::platform::win32
