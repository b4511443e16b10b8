#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace orbelin::platform::win32 {

/// The Win32 calls that switching another program's IME takes, behind a seam so that
/// the sequence can be checked where no IME runs.
class ImeCalls {
 public:
  virtual ~ImeCalls() = default;
  /// The default IME window of the window with the keyboard focus (the foreground window
  /// when no window has it); 0 when there is none.
  virtual std::uintptr_t imeWindowOfFocus() = 0;
  /// Sends WM_IME_CONTROL with command and value to imeWindow, waiting at most timeoutMs
  /// for the answer; nothing when it fails or times out.
  virtual std::optional<std::intptr_t> control(std::uintptr_t imeWindow, unsigned command, std::intptr_t value,
                                               unsigned timeoutMs) = 0;
};

/// The real calls: GetGUIThreadInfo, ImmGetDefaultIMEWnd, SendMessageTimeoutW.
std::unique_ptr<ImeCalls> makeSystemImeCalls();

/// Keeps the focus window's IME from composing what a record types: closed for the
/// record when it is open, opened again after it. Only what suspend() changed is given
/// back. An IME that does not answer in time is left as it is and the record typed all
/// the same; one notice per run says so.
class ImeOpenSwitch {
 public:
  static constexpr unsigned kGetOpenStatus = 5;  // IMC_GETOPENSTATUS
  static constexpr unsigned kSetOpenStatus = 6;  // IMC_SETOPENSTATUS
  /// How long the focus window's thread is given to answer; a hung program is not waited for.
  static constexpr unsigned kAnswerMs = 500;

  explicit ImeOpenSwitch(std::unique_ptr<ImeCalls> calls) : m_calls(std::move(calls)) {}

  /// Closes the focus window's IME when it is open, before a record.
  void suspend();
  /// Opens the IME again that suspend() closed.
  void restore();
  /// The notice for the log about an IME that did not answer, once per run; empty if none.
  std::string takeNotice();

 private:
  void failed(const char* what);

  std::unique_ptr<ImeCalls> m_calls;
  std::uintptr_t m_closed = 0;
  bool m_noticed = false;
  std::string m_notice;
};

}  // namespace orbelin::platform::win32
