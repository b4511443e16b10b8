#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/ImeOpenSwitch.h"

namespace orbelin::test {

/// What the fake IME of the focus window does.
struct FakeIme {
  std::uintptr_t window = 0x4711;    // 0: the focus window has no IME window
  bool open = true;                  // the state the user left it in
  bool statusTimesOut = false;       // IMC_GETOPENSTATUS gets no answer
  bool closeTimesOut = false;        // IMC_SETOPENSTATUS 0 gets no answer
  bool openTimesOut = false;         // IMC_SETOPENSTATUS 1 gets no answer
  std::vector<std::string> calls;    // "get", "set 0", "set 1", and what the test adds
};

/// The Win32 calls recorded into a FakeIme, which the test keeps.
class FakeImeCalls final : public platform::win32::ImeCalls {
 public:
  explicit FakeImeCalls(FakeIme& ime) : m_ime(ime) {}

  std::uintptr_t imeWindowOfFocus() override { return m_ime.window; }

  std::optional<std::intptr_t> control(std::uintptr_t imeWindow, unsigned command, std::intptr_t value,
                                       unsigned timeoutMs) override {
    if (imeWindow != m_ime.window || timeoutMs == 0) m_ime.calls.push_back("bad call");
    if (command == platform::win32::ImeOpenSwitch::kGetOpenStatus) {
      m_ime.calls.push_back("get");
      if (m_ime.statusTimesOut) return std::nullopt;
      return m_ime.open ? 1 : 0;
    }
    m_ime.calls.push_back("set " + std::to_string(value));
    if (value == 0 ? m_ime.closeTimesOut : m_ime.openTimesOut) return std::nullopt;
    m_ime.open = value != 0;
    return 0;
  }

 private:
  FakeIme& m_ime;
};

}  // namespace orbelin::test
