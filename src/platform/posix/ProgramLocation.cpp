#include "platform/ProgramLocation.h"

#include <cstdlib>
#include <system_error>

namespace orbelin::platform {

namespace {

std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace

ProgramLocation programLocation() {
  ProgramLocation location;
  std::error_code error;
  // Symbolic links resolved, as a link to the program in another folder is still the program.
  location.executableDir = std::filesystem::canonical("/proc/self/exe", error).parent_path();
  location.installed = std::filesystem::is_directory(installedDataFolder(location.executableDir), error);
  location.userFolder = xdgUserFolder(environment("XDG_DATA_HOME"), environment("HOME"));
  return location;
}

}  // namespace orbelin::platform
