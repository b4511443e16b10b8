#include "support/Desktop.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "support/TempDir.h"
#include "support/WaitFor.h"

namespace orbelin::test {

using namespace std::chrono_literals;

std::filesystem::path besideThisProgram(const char* name) {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

std::string programLogs(const std::filesystem::path& dir) {
  return "ERROR.LOG:\n" + readFile(dir / "ERROR.LOG") + "COMRECV.LOG:\n" + readFile(dir / "COMRECV.LOG");
}

pid_t start(const std::vector<std::string>& command) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    const int quiet = ::open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void writeSettings(const std::filesystem::path& dir, const std::string& device, const std::string& keySection,
                   const std::string& portKeys) {
  std::ofstream ini(dir / "QELT.INI");
  ini << "[COM]\r\nPort=1\r\nBaud=9600\r\nLog=1\r\nTask=1\r\nTaskShift=0\r\nDelayTime=0\r\n" << portKeys
      << "[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=3\r\n"
      << "[PORTS]\r\n1=" << device << "\r\n";
  if (!keySection.empty()) ini << "[KEY]\r\n" << keySection;
}

void finish(const std::filesystem::path& dir, pid_t program, pid_t tray) {
  std::ofstream(dir / "FINISH.TXT") << "";
  int status = -1;
  const bool ended = waitFor([&] { return waitpid(program, &status, WNOHANG) == program; }, 60s);
  EXPECT_TRUE(ended);
  if (!ended) {
    kill(program, SIGKILL);
    waitpid(program, &status, 0);
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  if (tray > 0) {
    kill(tray, SIGTERM);
    waitpid(tray, nullptr, 0);
  }
}

namespace {

std::vector<std::string> programCommand(const std::filesystem::path& folder, const ProgramOptions& options) {
  std::vector<std::string> command;
  if (!options.environment.empty()) {
    command.push_back("env");
    command.insert(command.end(), options.environment.begin(), options.environment.end());
  }
  command.insert(command.end(), {besideThisProgram("orbelin").string(), "--dir", folder.string()});
  command.insert(command.end(), options.arguments.begin(), options.arguments.end());
  return command;
}

}  // namespace

RunningProgram::RunningProgram(const std::filesystem::path& folder, const ProgramOptions& options)
    : dir(folder),
      tray(options.tray ? start({"trayer", "--SetDockType", "true"}) : -1),
      program(start(programCommand(folder, options))) {}

}  // namespace orbelin::test
