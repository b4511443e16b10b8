#include "SerialFixture.h"

#include <algorithm>
#include <iterator>

#include "codec/Cp932.h"

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

long SerialFixture::count(std::string_view line) const {
  return static_cast<long>(std::count(transcript.lines().begin(), transcript.lines().end(), line));
}

std::vector<std::string> SerialFixture::linesStartingWith(std::string_view prefix) const {
  std::vector<std::string> lines;
  std::copy_if(transcript.lines().begin(), transcript.lines().end(), std::back_inserter(lines),
               [prefix](const std::string& line) { return line.starts_with(prefix); });
  return lines;
}

std::string SerialFixture::file(std::string_view name) const { return codec::fromCp932(readFile(dir / name)); }

}  // namespace orbelin::test
