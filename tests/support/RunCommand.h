#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace orbelin::test {

/// What a shell command printed on its standard output and how it ended.
struct CommandOutput {
  /// The exit status; -1 when the command could not be started or did not exit.
  int status = -1;
  std::string out;
};

/// Runs command through the shell and reads all it prints, to its end.
inline CommandOutput runCommand(const std::string& command) {
  CommandOutput result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer{};
  for (std::size_t got = 0; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
    result.out.append(buffer.data(), got);
  }
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace orbelin::test
