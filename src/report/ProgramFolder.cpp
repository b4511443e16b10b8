#include "report/ProgramFolder.h"

#include <fstream>
#include <system_error>

namespace orbelin::report {

namespace {

constexpr const char* kFolderName = "orbelin";
constexpr const char* kProbeName = ".orbelin-write-probe";

std::filesystem::path installedDataFolder(const std::filesystem::path& executableDir) {
  return executableDir.parent_path() / "share" / kFolderName;
}

}  // namespace

std::optional<std::filesystem::path> userDataFolder(const std::optional<std::string>& xdgDataHome,
                                                    const std::optional<std::string>& home) {
  // A relative XDG_DATA_HOME is invalid and to be ignored.
  if (xdgDataHome && std::filesystem::path(*xdgDataHome).is_absolute()) {
    return std::filesystem::path(*xdgDataHome) / kFolderName;
  }
  if (!home || home->empty()) return std::nullopt;
  return std::filesystem::path(*home) / ".local" / "share" / kFolderName;
}

ProgramFolder chooseProgramFolder(const FolderFacts& facts) {
  if (facts.given) return {*facts.given, FolderKind::Given};
  if (!facts.perUserFolders) return {facts.executableDir, FolderKind::Portable};
  if (!facts.installed && facts.executableDirWritable) return {facts.executableDir, FolderKind::Portable};
  if (const auto user = userDataFolder(facts.xdgDataHome, facts.home)) return {*user, FolderKind::PerUser};
  // Nowhere else to go: the write test will say that the folder takes no files.
  return {facts.executableDir, FolderKind::Portable};
}

bool folderTakesFiles(const std::filesystem::path& folder) {
  const auto probe = folder / kProbeName;
  {
    std::ofstream file(probe, std::ios::binary | std::ios::trunc);
    if (!file) return false;
  }
  std::error_code error;
  return std::filesystem::remove(probe, error) && !error;
}

std::filesystem::path shippedDataFolder(const std::filesystem::path& executableDir) {
  std::error_code error;
  const auto installed = installedDataFolder(executableDir);
  if (std::filesystem::is_directory(installed, error)) return installed;
  return executableDir;
}

}  // namespace orbelin::report
