#include <windows.h>
#include <imm.h>

#include "platform/win32/ImeOpenSwitch.h"

namespace orbelin::platform::win32 {

namespace {

class SystemImeCalls final : public ImeCalls {
 public:
  std::uintptr_t imeWindowOfFocus() override {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    HWND focus = nullptr;
    // Thread 0: the foreground thread, whichever process it belongs to.
    if (GetGUIThreadInfo(0, &info)) focus = info.hwndFocus;
    if (focus == nullptr) focus = GetForegroundWindow();
    if (focus == nullptr) return 0;
    return reinterpret_cast<std::uintptr_t>(ImmGetDefaultIMEWnd(focus));
  }

  std::optional<std::intptr_t> control(std::uintptr_t imeWindow, unsigned command, std::intptr_t value,
                                       unsigned timeoutMs) override {
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutW(reinterpret_cast<HWND>(imeWindow), WM_IME_CONTROL, command,
                                             static_cast<LPARAM>(value), SMTO_ABORTIFHUNG, timeoutMs,
                                             &answer);
    if (sent == 0) return std::nullopt;
    return static_cast<std::intptr_t>(answer);
  }
};

}  // namespace

std::unique_ptr<ImeCalls> makeSystemImeCalls() { return std::make_unique<SystemImeCalls>(); }

}  // namespace orbelin::platform::win32
