// The real orbelin.exe under Wine: COM1 is one end of a pty pair (with-wine.sh --serial),
// framed records written into COM2 arrive typed in the text box that has the focus, and
// FINISH.TXT ends the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "TextBoxDriver.h"
#include "support/TempDir.h"

namespace orbelin::test {
namespace {

std::wstring besideThisProgram(const std::wstring& name) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path(self);
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

bool hasWindow(DWORD process) {
  struct Search {
    DWORD process;
    bool found;
  } search{process, false};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == wanted->process) wanted->found = true;
        return !wanted->found;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(Desktop, TypesFramedRecordsFromComOneAndEndsOnFinishMarker) {
  TempDir dir;
  std::ofstream(dir / "QELT.INI", std::ios::binary) << "[COM]\r\nPort=1\r\nBaud=9600\r\nLog=1\r\nTask=1\r\nTaskShift=0\r\nDelayTime=0\r\n"
                                  << "[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=3\r\n";
  std::wstring command = L"\"" + besideThisProgram(L"orbelin.exe") + L"\" --dir \"" + dir.path().wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION program{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &program));
  // Wine lets a second opener have COM1 as well, so the port cannot tell when start-up
  // opened it: the program's first window, and a moment after it, do (the main window
  // may stay hidden in the notification area).
  bool opened = false;
  for (int i = 0; i < 1200 && !opened; ++i) {  // a fresh Wine prefix first builds its font cache
    Sleep(50);
    opened = hasWindow(program.dwProcessId);
  }
  Sleep(3000);
  DWORD exitCode = 0;
  GetExitCodeProcess(program.hProcess, &exitCode);
  ASSERT_TRUE(opened) << "orbelin made no window; exit code " << exitCode << ", ERROR.LOG: "
                      << readFile(dir / "ERROR.LOG");

  TextBox box;
  ASSERT_TRUE(box.ready());
  HANDLE reader = CreateFileA("\\\\.\\COM2", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  // "ABC123" in ASCII, then "アイ" as the reader's code page 932 bytes.
  const std::string records = "\x02" "ABC123\r" "\x02\x83\x41\x83\x43\r";
  DWORD wrote = 0;
  WriteFile(reader, records.data(), static_cast<DWORD>(records.size()), &wrote, nullptr);
  EXPECT_EQ(box.settle("ABC123アイ"), "ABC123アイ") << "ERROR.LOG: " << readFile(dir / "ERROR.LOG");
  CloseHandle(reader);

  std::ofstream(dir / "FINISH.TXT") << "";
  const bool ended = WaitForSingleObject(program.hProcess, 10'000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(program.hProcess, 1);
  EXPECT_TRUE(ended) << "FINISH.TXT did not end orbelin";
  CloseHandle(program.hProcess);
  CloseHandle(program.hThread);
}

}  // namespace
}  // namespace orbelin::test
