#include "codec/Cp932.h"

#include <array>
#include <cstdint>
#include <memory>

#include "codec/Utf8.h"

namespace orbelin::codec {

namespace {

struct SingleByteEntry {
  std::uint8_t byte;
  std::uint16_t codePoint;
};
struct DoubleByteEntry {
  std::uint16_t code;
  std::uint16_t codePoint;
};

#include "codec/Cp932Table.inc"

// A byte that starts no character decodes to U+F700 + byte, a private-use block that
// code page 932 leaves unused, so the byte survives a round trip.
constexpr char32_t kStrayByteBase = 0xF700;
constexpr std::uint16_t kNone = 0xFFFF;

bool isLeadByte(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

struct Tables {
  std::array<std::uint16_t, 256> single{};
  std::array<std::uint16_t, 0x10000> doubleToUnicode{};  // indexed by the double-byte code
  std::array<std::uint16_t, 0x10000> unicodeToCode{};    // BMP code point to code

  Tables() {
    single.fill(kNone);
    doubleToUnicode.fill(kNone);
    unicodeToCode.fill(kNone);
    for (const auto& entry : kSingleByteTable) {
      single[entry.byte] = entry.codePoint;
      unicodeToCode[entry.codePoint] = entry.byte;
    }
    for (const auto& entry : kDoubleByteTable) {
      doubleToUnicode[entry.code] = entry.codePoint;
      if (unicodeToCode[entry.codePoint] == kNone) unicodeToCode[entry.codePoint] = entry.code;
    }
    for (const auto& entry : kPreferredEncoding) unicodeToCode[entry.codePoint] = entry.code;
  }
};

const Tables& tables() {
  static const auto instance = std::make_unique<Tables>();
  return *instance;
}

}  // namespace

std::size_t charLengthAt(std::string_view bytes, std::size_t pos) {
  if (pos >= bytes.size()) return 0;
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (!isLeadByte(lead) || pos + 1 >= bytes.size()) return 1;
  const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
  return tables().doubleToUnicode[(lead << 8) | trail] != kNone ? 2 : 1;
}

int encodeCodePoint(char32_t codePoint) {
  if (codePoint < 0x10000) {
    const std::uint16_t code = tables().unicodeToCode[codePoint];
    if (code != kNone) return code;
  }
  if (isStrayByte(codePoint)) return static_cast<int>(codePoint - kStrayByteBase);
  return -1;
}

char32_t decodeCode(unsigned code) {
  const std::uint16_t codePoint = code < 0x100 ? tables().single[code] : tables().doubleToUnicode[code & 0xFFFF];
  return codePoint == kNone ? kInvalidCodePoint : codePoint;
}

std::string toCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t codePoint = nextCodePoint(utf8, pos);
    const int code = codePoint == kInvalidCodePoint ? -1 : encodeCodePoint(codePoint);
    if (code < 0) {
      out += '?';
    } else if (code > 0xFF) {
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    } else {
      out += static_cast<char>(code);
    }
  }
  return out;
}

char32_t decodeCharacter(std::string_view character) {
  if (character.empty()) return kInvalidCodePoint;
  const auto lead = static_cast<unsigned char>(character[0]);
  if (charLengthAt(character, 0) == 2) {
    const auto trail = static_cast<unsigned char>(character[1]);
    return tables().doubleToUnicode[(lead << 8) | trail];
  }
  const std::uint16_t single = tables().single[lead];
  return single != kNone ? char32_t{single} : kStrayByteBase + lead;
}

bool isStrayByte(char32_t codePoint) {
  return codePoint >= kStrayByteBase && codePoint < kStrayByteBase + 0x100 &&
         isLeadByte(static_cast<unsigned>(codePoint - kStrayByteBase));
}

std::string fromCp932(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t length = charLengthAt(bytes, pos);
    appendUtf8(out, decodeCharacter(bytes.substr(pos, length)));
    pos += length;
  }
  return out;
}

}  // namespace orbelin::codec
