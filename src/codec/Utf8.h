#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbelin::codec {

inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;

/// Decodes the UTF-8 sequence at text[pos] and advances pos past it. A malformed byte
/// gives kInvalidCodePoint and advances by one.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);

/// Appends the UTF-8 form of codePoint.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace orbelin::codec
