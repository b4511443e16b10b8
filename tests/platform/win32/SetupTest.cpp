// The Windows setup under Wine, in a prefix of its own (setup-test.sh): a silent install
// for the user, the installed orbelin.exe keeping its files in %APPDATA%\Orbelin and typing
// a framed record from COM1 into the text box, FINISH.TXT ending it, an upgrade over itself
// that keeps the settings, and a silent uninstall that leaves the data folder alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "support/TempDir.h"
#include "support/WaitFor.h"
#include "support/Win32ComReader.h"
#include "support/Win32TextBox.h"

namespace orbelin::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const wchar_t* const kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orbelin";

fs::path environmentFolder(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value != nullptr ? fs::path(value) : fs::path();
}

std::optional<std::wstring> uninstallValue(const wchar_t* name) {
  wchar_t data[1024] = {};
  DWORD bytes = sizeof(data);
  if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, nullptr, data, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(data);
}

/// A started program; it is killed when the test leaves it running.
struct Process {
  explicit Process(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  }
  ~Process() {
    if (!started) return;
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
  /// The exit code once the process has ended within guard; nothing otherwise.
  std::optional<DWORD> ended(std::chrono::milliseconds guard) const {
    if (!started || WaitForSingleObject(info.hProcess, static_cast<DWORD>(guard.count())) != WAIT_OBJECT_0) {
      return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
  bool started = false;
  PROCESS_INFORMATION info{};
};

std::optional<DWORD> runSetup(const std::wstring& arguments) {
  const wchar_t* setup = _wgetenv(L"ORBELIN_SETUP");
  if (setup == nullptr) return std::nullopt;
  return Process(L"\"" + std::wstring(setup) + L"\" " + arguments).ended(180s);
}

// Framed records from COM1; the program writes the trigger byte 05 to the reader a
// second after it has opened the port, which tells the test that it may send.
constexpr const char* kSettings =
    "[COM]\r\nPort=1\r\nBaud=9600\r\nTask=1\r\nTaskShift=0\r\nDelayTime=0\r\nTrigger=5\r\nTimer=1\r\n"
    "[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=3\r\n";

class Setup : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(_wgetenv(L"ORBELIN_SETUP"), nullptr) << "ORBELIN_SETUP names no setup program";
    data = environmentFolder(L"APPDATA") / "Orbelin";
  }
  fs::path installed() const { return fs::path(uninstallValue(L"InstallLocation").value_or(L"")); }
  std::wstring program() const { return L"\"" + (installed() / "orbelin.exe").wstring() + L"\""; }
  /// Puts FINISH.TXT in the program folder until the program ends: one that comes before
  /// start-up has cleared the old markers is deleted there.
  void finish(const Process& orbelin) const {
    std::optional<DWORD> code;
    for (int tries = 0; tries < 20 && !code; ++tries) {
      std::ofstream(data / "FINISH.TXT") << "";
      code = orbelin.ended(1s);
    }
    EXPECT_EQ(code, std::optional<DWORD>(0)) << "FINISH.TXT did not end orbelin";
  }
  fs::path data;
};

TEST_F(Setup, InstallsForTheUserRunsUpgradesAndUninstalls) {
  ASSERT_EQ(runSetup(L"/S"), std::optional<DWORD>(0));
  // Registered for "Apps" under the user's key, in the user's programs folder.
  for (const wchar_t* name : {L"DisplayName", L"DisplayVersion", L"Publisher", L"DisplayIcon", L"EstimatedSize",
                              L"UninstallString", L"QuietUninstallString"}) {
    EXPECT_TRUE(uninstallValue(name)) << utf8(name) << " is not registered";
  }
  EXPECT_EQ(uninstallValue(L"DisplayName"), std::optional<std::wstring>(L"Orbelin"));
  EXPECT_EQ(installed(), environmentFolder(L"LOCALAPPDATA") / "Programs" / "Orbelin");
  ASSERT_TRUE(fs::exists(installed() / "orbelin.exe"));
  EXPECT_TRUE(fs::exists(environmentFolder(L"APPDATA") / "Microsoft/Windows/Start Menu/Programs/Orbelin.lnk"));

  // First start: the program folder is made in %APPDATA%, nothing is written beside the program.
  {
    Process orbelin(program());
    ASSERT_TRUE(waitFor([&] { return fs::exists(data / "QELT.INI"); }, 120s)) << "no QELT.INI in " << data;
    EXPECT_FALSE(fs::exists(installed() / "QELT.INI"));
    finish(orbelin);
  }

  // The upgrade over itself keeps the settings the user made.
  std::ofstream(data / "QELT.INI", std::ios::binary | std::ios::trunc) << kSettings;
  std::error_code error;
  fs::remove(data / "FINISH.TXT", error);
  ASSERT_EQ(runSetup(L"/S"), std::optional<DWORD>(0));
  EXPECT_EQ(readFile(data / "QELT.INI"), kSettings);

  {
    ComReader reader;
    ASSERT_TRUE(reader.ready());
    // Qt's standard options go to Qt and leave the program folder rule alone.
    Process orbelin(program() + L" -style fusion -qwindowtitle Orbelin");
    ASSERT_TRUE(waitFor([&] { return reader.received('\x05'); }, 120s))
        << "orbelin never opened COM1; ERROR.LOG: " << readFile(data / "ERROR.LOG");
    TextBox box;
    ASSERT_TRUE(box.ready());
    reader.write("\x02" "ABC123\r");
    EXPECT_EQ(box.settle("ABC123"), "ABC123") << "ERROR.LOG: " << readFile(data / "ERROR.LOG");
    finish(orbelin);
  }

  // The registered silent uninstall, as an IT department runs it: the uninstaller copies
  // itself away and removes the folder after this command has ended.
  const fs::path folder = installed();
  // As the menu's "ｽﾀｰﾄｱｯﾌﾟにｼｮｰﾄｶｯﾄ作成" leaves it.
  const fs::path startup = environmentFolder(L"APPDATA") / "Microsoft/Windows/Start Menu/Programs/Startup/Orbelin.lnk";
  fs::create_directories(startup.parent_path());
  std::ofstream(startup) << "";
  const auto quiet = uninstallValue(L"QuietUninstallString");
  ASSERT_TRUE(quiet);
  ASSERT_EQ(Process(*quiet).ended(120s), std::optional<DWORD>(0));
  // The uninstaller goes on after the folder is gone: the key and the Startup shortcut
  // come last.
  EXPECT_TRUE(waitFor([&] { return !fs::exists(folder); }, 60s)) << "files are left in " << folder;
  EXPECT_TRUE(waitFor([&] { return !uninstallValue(L"DisplayName"); }, 60s)) << "the uninstall key is still there";
  EXPECT_FALSE(fs::exists(environmentFolder(L"APPDATA") / "Microsoft/Windows/Start Menu/Programs/Orbelin.lnk"));
  EXPECT_TRUE(waitFor([&] { return !fs::exists(startup); }, 60s))
      << "the Startup shortcut would start a program that is gone";
  EXPECT_EQ(readFile(data / "QELT.INI"), kSettings) << "the data folder went with the program";
}

}  // namespace
}  // namespace orbelin::test
