#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orbelin::report {

/// What decides where the program keeps its files, gathered by the caller.
struct FolderFacts {
  /// The folder named with --dir, when one was.
  std::optional<std::filesystem::path> given;
  /// The folder of the executable.
  std::filesystem::path executableDir;
  /// True when an installer put the executable there: such a program never writes beside itself.
  bool installed = false;
  /// True when the executable's folder takes new files.
  bool executableDirWritable = false;
  /// The user's own folder for the program's files, when the system names one.
  std::optional<std::filesystem::path> userFolder;
};

enum class FolderKind { Given, Portable, PerUser };

struct ProgramFolder {
  std::filesystem::path dir;
  FolderKind kind = FolderKind::Portable;
  /// Where the files shipped with the program are (see shippedDataFolder); set by
  /// locateProgramFolder.
  std::filesystem::path shippedDir = {};
};

/// --dir wins; a portable program in a folder it can write keeps its files there; an
/// installed one (or one whose folder it cannot write) uses the user's folder.
ProgramFolder chooseProgramFolder(const FolderFacts& facts);

/// The program folder of this run by that rule, the facts asked of the system, as an
/// absolute path. A per-user folder is created at the first start; one that cannot be
/// made is left to the write test, which says so.
ProgramFolder locateProgramFolder(const std::optional<std::filesystem::path>& given);

/// True when a new file can be created in folder (a probe file is written and removed).
bool folderTakesFiles(const std::filesystem::path& folder);

/// Where the files shipped with the program (help document, AI table template) are: the
/// installed tree's share/orbelin, or the executable's own folder.
std::filesystem::path shippedDataFolder(const std::filesystem::path& executableDir);

}  // namespace orbelin::report
