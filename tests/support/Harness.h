#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "report/FailureReporter.h"
#include "report/ProgramPaths.h"
#include "platform/common/Transcript.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/SimClock.h"
#include "support/TempDir.h"

namespace orbelin::test {

/// The box RSOpen shows when a port cannot be opened, as the recording message box
/// writes it.
inline const std::string kOpenFailureBox =
    "msgbox critical \"RSOpen\" \"ComPortの接続に失敗しました。\\r\\n"
    "起動しているアプリケーション、COMポートの接続状況、設定を確認してください。\"";

/// The lines of an ERROR.LOG (decoded from code page 932) without their time stamps.
std::vector<std::string> errorLogLines(const std::filesystem::path& errorLog);

/// A program folder in a temporary directory with virtual time, a recording message box
/// and the failure reporter wired to them. Virtual time starts on 28 March 2008 14:05:09.
struct Harness {
  TempDir dir;
  platform::Transcript transcript;
  platform::sim::SimClock clock;
  platform::sim::RecordingMessageBox messages{transcript};
  report::ProgramPaths paths{dir.path()};
  report::FailureReporter reporter{paths.errorLog(), clock, messages};

  /// The lines of ERROR.LOG (decoded from code page 932) without their time stamps.
  std::vector<std::string> errorLines() const { return errorLogLines(paths.errorLog()); }
};

}  // namespace orbelin::test
