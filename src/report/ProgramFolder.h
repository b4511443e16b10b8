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
  /// True when the executable sits in an installed tree (its shipped data in
  /// ../share/orbelin): such a program never writes beside itself.
  bool installed = false;
  /// True when the executable's folder takes new files.
  bool executableDirWritable = false;
  /// $XDG_DATA_HOME and $HOME as found in the environment.
  std::optional<std::string> xdgDataHome;
  std::optional<std::string> home;
  /// False where the executable's folder is always the program folder (Windows).
  bool perUserFolders = true;
};

enum class FolderKind { Given, Portable, PerUser };

struct ProgramFolder {
  std::filesystem::path dir;
  FolderKind kind = FolderKind::Portable;
};

/// The user's own folder for the program's files: $XDG_DATA_HOME/orbelin, or
/// ~/.local/share/orbelin when XDG_DATA_HOME is unset or not absolute; none without either.
std::optional<std::filesystem::path> userDataFolder(const std::optional<std::string>& xdgDataHome,
                                                    const std::optional<std::string>& home);

/// --dir wins; a portable program in a folder it can write keeps its files there; an
/// installed one (or one whose folder it cannot write) uses the user's data folder.
ProgramFolder chooseProgramFolder(const FolderFacts& facts);

/// True when a new file can be created in folder (a probe file is written and removed).
bool folderTakesFiles(const std::filesystem::path& folder);

/// Where the files shipped with the program (help document, AI table template) are: the
/// installed tree's share/orbelin, or the executable's own folder.
std::filesystem::path shippedDataFolder(const std::filesystem::path& executableDir);

}  // namespace orbelin::report
