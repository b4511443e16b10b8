#include "SerialFixture.h"

#include "convert/codec/Cp932.h"

namespace orbelin::test {

std::string SerialFixture::typed() const {
  std::string text;
  for (const auto& line : transcript.lines()) {
    if (line.starts_with("ime ")) text += static_cast<char>(std::stoi(line.substr(4)));
  }
  return text;
}

std::vector<std::string> SerialFixture::status() const {
  std::vector<std::string> lines;
  for (const auto& line : transcript.lines()) {
    if (!line.starts_with("ime ") && !line.starts_with("sleep ")) lines.push_back(line);
  }
  return lines;
}

std::string SerialFixture::file(std::string_view name) const { return codec::fromCp932(readFile(dir / name)); }

}  // namespace orbelin::test
