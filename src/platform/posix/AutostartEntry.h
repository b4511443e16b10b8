#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orbelin::platform::posix {

/// The user's autostart folder: $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when
/// XDG_CONFIG_HOME is unset or not absolute; none without either.
std::optional<std::filesystem::path> autostartFolder();

/// The text of the desktop entry that starts program (with "--dir programDir" when the
/// program folder is not the executable's own); none for a path no entry can hold.
std::optional<std::string> autostartEntryText(const std::filesystem::path& program,
                                              const std::optional<std::filesystem::path>& programDir);

/// Writes Orbelin.desktop into folder (created if missing), replacing an earlier one.
/// False on any failure; the caller ignores it, as the menu command fails silently.
bool writeAutostartEntry(const std::filesystem::path& folder, const std::filesystem::path& program,
                         const std::optional<std::filesystem::path>& programDir);

}  // namespace orbelin::platform::posix
