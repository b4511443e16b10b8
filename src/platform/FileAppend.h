#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orbelin::platform {

/// Outcome of one append; description is the system's message on failure.
struct AppendResult {
  bool ok = false;
  std::string description;
};

/// Opens path for appending (creating it), writes bytes followed by CR LF and closes it.
/// A file that another program holds an exclusive lock on counts as busy and fails,
/// so the caller can retry as it would for a file in use.
AppendResult appendLine(const std::filesystem::path& path, std::string_view bytes);

}  // namespace orbelin::platform
