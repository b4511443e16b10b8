#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orbelin::platform {

/// What the system says about where the running program is and where its user's files go.
struct ProgramLocation {
  /// The folder of the running executable.
  std::filesystem::path executableDir;
  /// True when an installer put the program there (the package's tree with its data in
  /// ../share/orbelin, or the Windows setup's folder with its uninstaller beside it):
  /// such a program keeps its files in the user's folder, never beside itself.
  bool installed = false;
  /// The user's folder for the program's files; none when the environment names no home.
  std::optional<std::filesystem::path> userFolder;
};

/// Asks the system: the executable's path, the installer's traces, the environment.
ProgramLocation programLocation();

/// The data an installed package ships beside its executables' folder: ../share/orbelin.
std::filesystem::path installedDataFolder(const std::filesystem::path& executableDir);

/// The user's folder on XDG systems: $XDG_DATA_HOME/orbelin, or ~/.local/share/orbelin when
/// XDG_DATA_HOME is unset or not absolute; none without either.
std::optional<std::filesystem::path> xdgUserFolder(const std::optional<std::string>& xdgDataHome,
                                                   const std::optional<std::string>& home);

/// The user's folder on Windows: %APPDATA%\Orbelin; none when APPDATA is unset or not absolute.
std::optional<std::filesystem::path> appDataUserFolder(const std::optional<std::filesystem::path>& appData);

/// The name of the uninstaller the Windows setup puts beside the programs.
inline constexpr const char* kUninstallerName = "uninstall.exe";

}  // namespace orbelin::platform
