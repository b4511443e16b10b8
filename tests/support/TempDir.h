#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orbelin::test {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

/// The whole file as bytes; empty when it is missing.
std::string readFile(const std::filesystem::path& path);
/// Replaces the file with bytes.
void writeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace orbelin::test
