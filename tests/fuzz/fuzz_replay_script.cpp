// Replay scripts: any text parses to steps or to an error naming its line, and a script of
// bytes lines gives back exactly those bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "FuzzSupport.h"
#include "tools/ReplayScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelin;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tools::ReplayScript script = tools::parseReplayScript(text);
  if (script.error) fuzz::require(!script.error->empty(), "an error says what is wrong");

  std::string directives;
  for (std::size_t i = 0; i < size; ++i) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    directives += std::string("bytes ") + kHex[data[i] >> 4] + kHex[data[i] & 15] + "\n";
  }
  const tools::ReplayScript bytes = tools::parseReplayScript(directives);
  fuzz::require(!bytes.error, "bytes lines parse");
  std::string joined;
  for (const auto& step : bytes.steps) joined += std::get<tools::ArriveStep>(step).bytes;
  fuzz::require(joined == text, "bytes lines give their bytes");
  return 0;
}
