#include "support/Harness.h"

#include "codec/Cp932.h"

namespace orbelin::test {

std::vector<std::string> errorLogLines(const std::filesystem::path& errorLog) {
  const std::string text = codec::fromCp932(readFile(errorLog));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    lines.push_back(line.size() > 18 ? line.substr(18) : line);  // "yy/mm/dd hh:mm:ss "
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

}  // namespace orbelin::test
