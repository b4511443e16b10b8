#include "support/TempDir.h"

#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace orbelin::test {

TempDir::TempDir() {
  std::random_device random;
  for (;;) {
    m_path = std::filesystem::temp_directory_path() / ("orbelin-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(m_path)) return;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orbelin::test
