#include "platform/common/KeyboardLines.h"

#include "codec/Cp932.h"

namespace orbelin::platform {

std::string keyEventLine(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
  return "key " + std::to_string(virtualKey) + ' ' + std::to_string(scanCode) + ' ' + std::to_string(flags);
}

std::string postedCharacterLine(char32_t character) {
  const int code = codec::encodeCodePoint(character);
  return "ime " + std::to_string(code < 0 ? code : static_cast<std::int16_t>(code));
}

std::string pauseLine(int ms) { return "sleep " + std::to_string(ms); }

}  // namespace orbelin::platform
