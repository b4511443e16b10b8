#pragma once

// The Win32 text box client as the tests drive it: started as a process of its own,
// brought to the foreground, its EDIT control's text read back.
#include <windows.h>

#include <QCoreApplication>
#include <chrono>
#include <string>

#include "support/WaitFor.h"

namespace orbelin::test {

/// A file beside the test program (the real orbelin.exe and the text box client are
/// built there).
inline std::wstring besideThisProgram(const std::wstring& name) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path(self);
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

inline std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

/// The text box process, started fresh for each test.
class TextBox {
 public:
  TextBox() {
    const std::wstring path = besideThisProgram(L"orbelin_win32_textbox.exe");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process)) {
      return;
    }
    waitFor([this] {
      m_window = FindWindowW(L"OrbelinTextBox", nullptr);
      if (m_window != nullptr) m_edit = FindWindowExW(m_window, nullptr, L"EDIT", nullptr);
      return m_edit != nullptr;
    }, kGuard);
    if (m_window != nullptr) SetForegroundWindow(m_window);
    waitFor([this] { return ready(); }, kGuard);
  }
  ~TextBox() {
    if (m_window != nullptr) PostMessageW(m_window, WM_CLOSE, 0, 0);
    if (m_process.hProcess != nullptr) {
      if (WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(m_process.hProcess, 1);
      CloseHandle(m_process.hProcess);
      CloseHandle(m_process.hThread);
    }
  }
  /// In the foreground with the EDIT control holding the focus: the window comes to the
  /// foreground before its thread moves the focus to the control, and a key sent between
  /// the two is lost to the frame.
  bool ready() const {
    if (m_edit == nullptr || GetForegroundWindow() != m_window) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(m_process.dwThreadId, &info) && info.hwndFocus == m_edit;
  }

  std::string text() const {
    wchar_t buffer[4096] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(m_edit, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &length);
    std::string text = utf8(std::wstring(buffer, static_cast<std::size_t>(length)));
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      lines += text[i];
    }
    return lines;
  }

  /// The text once it equals expected, or what it is after a generous wait: posted
  /// characters reach the box after the call that reads it may have been answered.
  std::string settle(const std::string& expected) const {
    std::string now;
    waitFor([&] {
      QCoreApplication::processEvents();
      now = text();
      return now == expected;
    }, kGuard);
    return now;
  }

 private:
  /// Only keeps a broken run from hanging: Wine on a loaded machine can be slow to start
  /// a process or deliver a message.
  static constexpr std::chrono::milliseconds kGuard{60'000};

  PROCESS_INFORMATION m_process{};
  HWND m_window = nullptr;
  HWND m_edit = nullptr;
};

}  // namespace orbelin::test
