#include <gtest/gtest.h>
#include <windows.h>

#include <QClipboard>
#include <QGuiApplication>
#include <memory>
#include <string>

#include "keyout/DOSKeySendData.h"
#include "keyout/KeyOutput.h"
#include "keyout/KeySendData.h"
#include "platform/qt/QtClipboard.h"
#include "platform/win32/Win32Keyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"

// Runs under with-wine.sh --xvfb: types into the EDIT control of TextBoxClient, a process
// of its own, and reads its text back.
namespace orbelin::platform::win32 {
namespace {

QGuiApplication& application() {
  static int argc = 1;
  static char name[] = "win32_typing_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return app;
}

std::string utf8(const std::wstring& text) {
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
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"orbelin_win32_textbox.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process)) {
      return;
    }
    for (int i = 0; i < 200 && m_edit == nullptr; ++i) {
      Sleep(50);
      m_window = FindWindowW(L"OrbelinTextBox", nullptr);
      if (m_window != nullptr) m_edit = FindWindowExW(m_window, nullptr, L"EDIT", nullptr);
    }
    if (m_window != nullptr) SetForegroundWindow(m_window);
    for (int i = 0; i < 100 && GetForegroundWindow() != m_window; ++i) Sleep(50);
  }
  ~TextBox() {
    if (m_window != nullptr) PostMessageW(m_window, WM_CLOSE, 0, 0);
    if (m_process.hProcess != nullptr) {
      if (WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(m_process.hProcess, 1);
      CloseHandle(m_process.hProcess);
      CloseHandle(m_process.hThread);
    }
  }
  bool ready() const { return m_edit != nullptr && GetForegroundWindow() == m_window; }

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
    std::string now = text();
    for (int i = 0; i < 100 && now != expected; ++i) {
      QCoreApplication::processEvents();
      Sleep(50);
      now = text();
    }
    return now;
  }

 private:
  PROCESS_INFORMATION m_process{};
  HWND m_window = nullptr;
  HWND m_edit = nullptr;
};

class Win32TypingTest : public testing::Test {
 protected:
  void SetUp() override {
    application();
    ASSERT_TRUE(box.ready()) << "the text box did not come to the foreground";
  }

  test::Harness harness;
  settings::Settings settings = settings::Settings::defaults();
  qt::QtClipboard clipboard;
  Win32Keyboard keyboard{qt::servingPause};
  keyout::KeyOutput out{keyboard, clipboard, harness.clock, settings, harness.reporter, nullptr};
  TextBox box;
};

TEST_F(Win32TypingTest, NormalModeTypesAsciiTabAndEnter) {
  EXPECT_TRUE(keyout::KeySendData("Lot 42-A/7 (ok)!{TAB}x{ENTER}y{{}z{}}\rend", true, out));
  const std::string expected = "Lot 42-A/7 (ok)!\tx\ny{z}\nend";
  EXPECT_EQ(box.settle(expected), expected);
}

TEST_F(Win32TypingTest, NormalModeCtrlAThenTextReplacesTheSelection) {
  EXPECT_TRUE(keyout::KeySendData("old text", true, out));
  box.settle("old text");
  EXPECT_TRUE(keyout::KeySendData("{C+A}new", true, out));
  EXPECT_EQ(box.settle("new"), "new");
}

TEST_F(Win32TypingTest, NormalModePostsJapaneseAsUtf16) {
  EXPECT_TRUE(keyout::KeySendData("日本語ｶﾅ", true, out));
  EXPECT_EQ(box.settle("日本語ｶﾅ"), "日本語ｶﾅ");
}

TEST_F(Win32TypingTest, PasteModeThreePastesThroughTheClipboard) {
  EXPECT_TRUE(keyout::DOSKeySendData("ABC{ENTER}日本語ｶﾅ", true, 3, out));
  EXPECT_EQ(box.settle("ABC\n日本語ｶﾅ"), "ABC\n日本語ｶﾅ");
}

TEST(Win32Keyboard, NoKeyIsLeftDownAfterReleaseAll) {
  Win32Keyboard keyboard;
  keyboard.keyEvent(VK_SHIFT, keyboard.scanCodeOf(VK_SHIFT), 0);
  keyboard.keyEvent(VK_CONTROL, keyboard.scanCodeOf(VK_CONTROL), 0);
  keyboard.releaseAll();
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0);
}

TEST(Win32Keyboard, CodesBecomeUtf16Units) {
  EXPECT_EQ(utf16OfCode(65), u"A");
  EXPECT_EQ(utf16OfCode(-32096), u"あ");
  EXPECT_EQ(utf16OfCode(0xB6), u"ｶ");
  EXPECT_EQ(utf16OfCode(static_cast<std::int16_t>(0x93FA)), u"日");
}

}  // namespace
}  // namespace orbelin::platform::win32
