#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace orbelin::test {

/// A file beside the test program (the real orbelin and the text box client are built
/// there).
std::filesystem::path besideThisProgram(const char* name);

/// ERROR.LOG and COMRECV.LOG of the program folder, for a failure's message.
std::string programLogs(const std::filesystem::path& dir);

/// Starts command with its standard output discarded.
pid_t start(const std::vector<std::string>& command);

/// QELT.INI with COM1 on device, framing STX ... CR, the main window kept in the tray;
/// the lines of portKeys are added to the section COM.
void writeSettings(const std::filesystem::path& dir, const std::string& device, const std::string& keySection = {},
                   const std::string& portKeys = {});

/// Ends the program through FINISH.TXT (killing it if it does not end) and the tray host
/// when there is one.
void finish(const std::filesystem::path& dir, pid_t program, pid_t tray);

/// How the real program is started: arguments after "--dir DIR", arguments of env(1)
/// before it (NAME=VALUE, -u NAME), and whether a tray host runs beside it.
struct ProgramOptions {
  std::vector<std::string> arguments;
  std::vector<std::string> environment;
  bool tray = true;
};

/// The real program in dir, ended by finish() when the test ends, however it ends.
struct RunningProgram {
  explicit RunningProgram(const std::filesystem::path& folder, const ProgramOptions& options = {});
  ~RunningProgram() { finish(dir, program, tray); }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  std::filesystem::path dir;
  pid_t tray = -1;
  pid_t program = -1;
};

}  // namespace orbelin::test
