#pragma once

#include <filesystem>

namespace orbelin::report {

/// Attribute mask of FileExists: 0 lists ordinary files only, 16 lists folders too.
inline constexpr int kAttrNormal = 0;
inline constexpr int kAttrDirectory = 16;

/// True when path names an existing file (or folder, with kAttrDirectory). A path that
/// cannot be looked at (a file used as a folder, no permission, too long) counts as
/// existing: the caller meets the real failure when it opens the file.
bool FileExists(const std::filesystem::path& path, int attributes = kAttrNormal);

/// True when the marker file (FINISH.TXT, DONTKEY.TXT) is there. Unlike FileExists, a path
/// that cannot be looked at is no marker: in a program folder that is no folder at all
/// every file would seem to exist, and the marker would stop the program or every record.
bool MarkerPresent(const std::filesystem::path& marker);

}  // namespace orbelin::report
