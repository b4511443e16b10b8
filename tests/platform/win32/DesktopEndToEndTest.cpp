// The real orbelin.exe under Wine: COM1 is one end of a pty pair (with-wine.sh --serial),
// framed records written into COM2 arrive typed in the text box that has the focus, and
// FINISH.TXT ends the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <fstream>

#include "support/TempDir.h"
#include "support/WaitFor.h"
#include "support/Win32ComReader.h"
#include "support/Win32TextBox.h"

namespace orbelin::test {
namespace {

TEST(Desktop, TypesFramedRecordsFromComOneAndEndsOnFinishMarker) {
  TempDir dir;
  std::ofstream(dir / "QELT.INI", std::ios::binary) << "[COM]\r\nPort=1\r\nBaud=9600\r\nLog=1\r\nTask=1\r\nTaskShift=0\r\nDelayTime=0\r\n"
                                  << "[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=3\r\n";
  std::wstring command = L"\"" + besideThisProgram(L"orbelin.exe") + L"\" --report-startup --dir \"" +
                        dir.path().wstring() + L"\"";
  // Wine lets a second opener have COM1 as well, so the port cannot tell when start-up
  // opened it. The start-up report can: it comes once the event loop runs, after the
  // port was opened. A fresh Wine prefix first builds its font cache.
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE report = CreateFileW((dir / "stderr.txt").wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(report, INVALID_HANDLE_VALUE);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = report;
  startup.hStdError = report;
  PROCESS_INFORMATION program{};
  const bool started =
      CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &program);
  CloseHandle(report);
  ASSERT_TRUE(started);
  const bool opened = waitFor([&] { return readFile(dir / "stderr.txt").find("orbelin: startup-ms") != std::string::npos; },
                              std::chrono::seconds(120));
  DWORD exitCode = 0;
  GetExitCodeProcess(program.hProcess, &exitCode);
  ASSERT_TRUE(opened) << "orbelin never reported its start-up; exit code " << exitCode << ", its output: "
                      << readFile(dir / "stderr.txt") << ", ERROR.LOG: " << readFile(dir / "ERROR.LOG");

  TextBox box;
  ASSERT_TRUE(box.ready());
  {
    ComReader reader;
    ASSERT_TRUE(reader.ready());
    // "ABC123" in ASCII, then "アイ" as the reader's code page 932 bytes.
    reader.write("\x02" "ABC123\r" "\x02\x83\x41\x83\x43\r");
    EXPECT_EQ(box.settle("ABC123アイ"), "ABC123アイ") << "ERROR.LOG: " << readFile(dir / "ERROR.LOG");
  }

  std::ofstream(dir / "FINISH.TXT") << "";
  const bool ended = WaitForSingleObject(program.hProcess, 10'000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(program.hProcess, 1);
  EXPECT_TRUE(ended) << "FINISH.TXT did not end orbelin";
  CloseHandle(program.hProcess);
  CloseHandle(program.hThread);
}

}  // namespace
}  // namespace orbelin::test
