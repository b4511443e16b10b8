#include "platform/common/CharacterLine.h"

#include <cstdint>

#include "codec/Cp932.h"

namespace orbelin::platform {

std::string postedCharacterLine(char32_t character) {
  const int code = codec::encodeCodePoint(character);
  return "ime " + std::to_string(code < 0 ? code : static_cast<std::int16_t>(code));
}

}  // namespace orbelin::platform
