#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbelin::codec {

/// UTF-8 text to code page 932 bytes, as Windows converts it. A character outside
/// code page 932 (or a malformed UTF-8 byte) becomes "?".
std::string toCp932(std::string_view utf8);

/// Code page 932 bytes to UTF-8 text. Never fails and never loses a byte: a byte that
/// starts no valid character becomes a private-use character that encodes back to it.
std::string fromCp932(std::string_view bytes);

/// Byte length (1 or 2) of the character that starts at bytes[pos], by the same rule
/// the decoder uses: 2 only for an assigned double-byte code. 0 when pos is at the end.
std::size_t charLengthAt(std::string_view bytes, std::size_t pos);

/// The code page 932 code of one Unicode code point, or -1 when it has none.
int encodeCodePoint(char32_t codePoint);

/// The code point of a code page 932 code (a single byte 0-255 or a double-byte code),
/// or 0xFFFFFFFF when the code is not assigned.
char32_t decodeCode(unsigned code);

/// The code point of one character's bytes (as long as charLengthAt measures them), the
/// same that fromCp932 gives: a byte that starts no character gives its stand-in.
char32_t decodeCharacter(std::string_view character);

/// True for the stand-in of a byte that starts no character (see fromCp932): no key or
/// message types it, since it is no character of its own.
bool isStrayByte(char32_t codePoint);

}  // namespace orbelin::codec
