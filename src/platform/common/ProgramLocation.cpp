#include "platform/ProgramLocation.h"

namespace orbelin::platform {

std::filesystem::path installedDataFolder(const std::filesystem::path& executableDir) {
  return executableDir.parent_path() / "share" / "orbelin";
}

std::optional<std::filesystem::path> xdgUserFolder(const std::optional<std::string>& xdgDataHome,
                                                   const std::optional<std::string>& home) {
  // A relative XDG_DATA_HOME is invalid and to be ignored.
  if (xdgDataHome && std::filesystem::path(*xdgDataHome).is_absolute()) {
    return std::filesystem::path(*xdgDataHome) / "orbelin";
  }
  if (!home || home->empty()) return std::nullopt;
  return std::filesystem::path(*home) / ".local" / "share" / "orbelin";
}

std::optional<std::filesystem::path> appDataUserFolder(const std::optional<std::filesystem::path>& appData) {
  if (!appData || !appData->is_absolute()) return std::nullopt;
  return *appData / "Orbelin";
}

}  // namespace orbelin::platform
