#include "report/ProgramFolder.h"

#include <fstream>
#include <system_error>

#include "platform/ProgramLocation.h"

namespace orbelin::report {

namespace {

constexpr const char* kProbeName = ".orbelin-write-probe";

}  // namespace

ProgramFolder chooseProgramFolder(const FolderFacts& facts) {
  if (facts.given) return {*facts.given, FolderKind::Given};
  if (!facts.installed && facts.executableDirWritable) return {facts.executableDir, FolderKind::Portable};
  if (facts.userFolder) return {*facts.userFolder, FolderKind::PerUser};
  // Nowhere else to go: the write test will say that the folder takes no files.
  return {facts.executableDir, FolderKind::Portable};
}

ProgramFolder locateProgramFolder(const std::optional<std::filesystem::path>& given) {
  const platform::ProgramLocation location = platform::programLocation();
  FolderFacts facts{given, location.executableDir, location.installed, false, location.userFolder};
  facts.executableDirWritable = !facts.installed && !given && folderTakesFiles(facts.executableDir);
  ProgramFolder folder = chooseProgramFolder(facts);
  std::error_code error;
  if (folder.kind == FolderKind::PerUser) std::filesystem::create_directories(folder.dir, error);
  folder.dir = std::filesystem::absolute(folder.dir, error).make_preferred();
  folder.shippedDir = shippedDataFolder(location.executableDir);
  return folder;
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
  const auto installed = platform::installedDataFolder(executableDir);
  if (std::filesystem::is_directory(installed, error)) return installed;
  return executableDir;
}

}  // namespace orbelin::report
