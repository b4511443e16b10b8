// Code page 932: every byte string decodes to a text that encodes and decodes back to the
// same text (duplicate codes such as the NEC-selected rows encode to their IBM twins, as
// Windows does, so the bytes themselves may differ), and any
// UTF-8 text encodes without a failure; byte-wise substrings of any bounds stay within the text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "codec/Cp932.h"
#include "codec/MidBStr.h"

namespace {

// A byte that starts no character decodes to U+F700 + byte. Encoded back, a stray lead
// byte can pair with the byte after it, so only texts without such bytes must round-trip.
bool holdsStrayBytes(std::string_view utf8) {
  for (std::size_t i = 0; i + 1 < utf8.size(); ++i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const auto next = static_cast<unsigned char>(utf8[i + 1]);
    if (lead == 0xEF && next >= 0x9C && next <= 0x9F) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbelin;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string decoded = codec::fromCp932(bytes);
  if (!holdsStrayBytes(decoded)) {
    fuzz::require(codec::fromCp932(codec::toCp932(decoded)) == decoded, "decoded text round-trips");
  }
  const std::string encoded = codec::toCp932(bytes);
  if (!holdsStrayBytes(bytes)) {
    fuzz::require(codec::toCp932(codec::fromCp932(encoded)) == encoded, "encoded text round-trips");
  }
  for (std::size_t pos = 0; pos < encoded.size(); pos += codec::charLengthAt(encoded, pos)) {
    fuzz::require(codec::charLengthAt(encoded, pos) >= 1, "characters advance");
  }
  if (size >= 2) {
    const std::string text = codec::fromCp932(bytes.substr(2));
    const long start = static_cast<std::int8_t>(data[0]);
    const long length = static_cast<std::int8_t>(data[1]);
    const std::string part = codec::MidBStr(text, start, length);
    fuzz::require(codec::toCp932(part).size() <= bytes.size(), "a byte-wise substring is no longer than its text");
  }
  return 0;
}
