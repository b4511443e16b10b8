#pragma once

#include <filesystem>
#include <optional>

namespace orbelin::platform::win32 {

/// The user's Startup folder (programs started at sign-in); none when the shell has none.
std::optional<std::filesystem::path> startupFolder();

/// Writes the shell link "Orbelin.lnk" into folder through IShellLink, starting program
/// in its own folder (with --dir programDir when given), replacing an earlier one.
/// False on any failure; the menu command fails silently, as on every system.
bool writeStartupShortcut(const std::filesystem::path& folder, const std::filesystem::path& program,
                          const std::optional<std::filesystem::path>& programDir);

}  // namespace orbelin::platform::win32
