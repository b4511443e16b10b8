#include "platform/posix/AutostartEntry.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace orbelin::platform::posix {
namespace {

/// One argument of an Exec line: quoted, with the characters that a quoted argument
/// reserves escaped, then the backslashes doubled again for the entry's string value.
std::optional<std::string> execArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '\n' || c == '\r' || c == '\0') return std::nullopt;
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    // A literal percent sign is written twice in an Exec line.
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (const char c : quoted) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

}  // namespace

std::optional<std::filesystem::path> autostartFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && std::filesystem::path(config).is_absolute()) {
    return std::filesystem::path(config) / "autostart";
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') return std::nullopt;
  return std::filesystem::path(home) / ".config" / "autostart";
}

std::optional<std::string> autostartEntryText(const std::filesystem::path& program,
                                              const std::optional<std::filesystem::path>& programDir) {
  auto exec = execArgument(program.string());
  if (!exec) return std::nullopt;
  if (programDir) {
    const auto dir = execArgument(programDir->string());
    if (!dir) return std::nullopt;
    *exec += " --dir " + *dir;
  }
  return "[Desktop Entry]\nType=Application\nName=Orbelin\nExec=" + *exec + "\nTerminal=false\n";
}

bool writeAutostartEntry(const std::filesystem::path& folder, const std::filesystem::path& program,
                         const std::optional<std::filesystem::path>& programDir) {
  const auto text = autostartEntryText(program, programDir);
  if (!text) return false;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder, error)) return false;
  std::ofstream file(folder / "Orbelin.desktop", std::ios::binary | std::ios::trunc);
  file << *text;
  file.close();
  return !file.fail();
}

}  // namespace orbelin::platform::posix
