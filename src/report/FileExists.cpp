#include "report/FileExists.h"

#include <system_error>

namespace orbelin::report {

bool FileExists(const std::filesystem::path& path, int attributes) {
  if (path.empty()) return true;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    // A component that is a file rather than a folder makes the path invalid, not absent.
    // Linux says so (ENOTDIR); Windows only says "not found", so the nearest existing
    // ancestor tells.
    if (error == std::errc::not_a_directory) return true;
    for (auto parent = path.parent_path(); !parent.empty(); parent = parent.parent_path()) {
      std::error_code ignored;
      const auto type = std::filesystem::status(parent, ignored).type();
      if (type != std::filesystem::file_type::not_found) return type != std::filesystem::file_type::directory;
      if (parent == parent.parent_path()) break;
    }
    return false;
  }
  if (error) return true;
  if (std::filesystem::is_directory(status)) return (attributes & kAttrDirectory) != 0;
  return true;
}

bool MarkerPresent(const std::filesystem::path& marker) {
  std::error_code error;
  return std::filesystem::is_directory(marker.parent_path(), error) && FileExists(marker);
}

}  // namespace orbelin::report
