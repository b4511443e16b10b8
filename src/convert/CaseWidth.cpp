#include "convert/CaseWidth.h"

#include <array>
#include <cstdint>

#include "codec/Utf8.h"

namespace orbelin::convert {

namespace {

constexpr char32_t kVoicedMark = 0xFF9E;
constexpr char32_t kSemiVoicedMark = 0xFF9F;

// Full-width forms of the half-width katakana U+FF61 to U+FF9F, in order.
constexpr std::array<char16_t, 63> kWideKana{
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,
};

bool isHalfKana(char32_t c) { return c >= 0xFF61 && c <= 0xFF9F; }

char32_t wideKana(char32_t half) { return kWideKana[half - 0xFF61]; }

// ｶ to ﾄ and ﾊ to ﾎ take the voiced mark (the composed form follows the plain one);
// ｳ takes it as ヴ; ﾊ to ﾎ also take the semi-voiced mark.
char32_t composeKana(char32_t half, char32_t mark) {
  const char32_t wide = wideKana(half);
  const bool voiceable = (half >= 0xFF76 && half <= 0xFF84) || (half >= 0xFF8A && half <= 0xFF8E);
  if (mark == kVoicedMark) {
    if (half == 0xFF73) return 0x30F4;
    if (voiceable) return wide + 1;
  } else if (mark == kSemiVoicedMark && half >= 0xFF8A && half <= 0xFF8E) {
    return wide + 2;
  }
  return 0;
}

struct Narrow {
  char32_t base = 0;
  char32_t mark = 0;
};

// The half-width form of a full-width kana or punctuation mark, split into base and mark.
Narrow narrowKana(char32_t wide) {
  for (char32_t half = 0xFF61; half <= 0xFF9F; ++half) {
    if (wideKana(half) == wide) return {half, 0};
    if (composeKana(half, kVoicedMark) == wide) return {half, kVoicedMark};
    if (composeKana(half, kSemiVoicedMark) == wide) return {half, kSemiVoicedMark};
  }
  return {};
}

struct CaseRange {
  char32_t lowerFirst;
  char32_t lowerLast;
  char32_t upperFirst;
};

// Letters with case that code page 932 holds in both forms (final sigma has no code).
constexpr CaseRange kCaseRanges[] = {
    {U'a', U'z', U'A'},      {0xFF41, 0xFF5A, 0xFF21}, {0x03B1, 0x03C1, 0x0391},
    {0x03C3, 0x03C9, 0x03A3}, {0x0430, 0x044F, 0x0410}, {0x0451, 0x0451, 0x0401},
    {0x2170, 0x2179, 0x2160},
};

char32_t toUpper(char32_t c) {
  for (const auto& range : kCaseRanges) {
    if (c >= range.lowerFirst && c <= range.lowerLast) return range.upperFirst + (c - range.lowerFirst);
  }
  return c;
}

char32_t toLower(char32_t c) {
  for (const auto& range : kCaseRanges) {
    const char32_t upperLast = range.upperFirst + (range.lowerLast - range.lowerFirst);
    if (c >= range.upperFirst && c <= upperLast) return range.lowerFirst + (c - range.upperFirst);
  }
  return c;
}

std::string toWide(std::string_view text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t c = codec::nextCodePoint(text, pos);
    if (c == U' ') {
      codec::appendUtf8(out, 0x3000);
    } else if (c > U' ' && c < 0x7F) {
      codec::appendUtf8(out, c - 0x21 + 0xFF01);
    } else if (isHalfKana(c)) {
      std::size_t next = pos;
      const char32_t mark = pos < text.size() ? codec::nextCodePoint(text, next) : 0;
      const char32_t composed = composeKana(c, mark);
      if (composed != 0) pos = next;
      codec::appendUtf8(out, composed != 0 ? composed : wideKana(c));
    } else {
      out.append(text, start, pos - start);
    }
  }
  return out;
}

std::string toNarrow(std::string_view text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t c = codec::nextCodePoint(text, pos);
    const Narrow kana = (c >= 0x3000 && c <= 0x30FF) ? narrowKana(c) : Narrow{};
    if (c == 0x3000) {
      out += ' ';
    } else if (c >= 0xFF01 && c <= 0xFF5E) {
      out += static_cast<char>(c - 0xFF01 + 0x21);
    } else if (kana.base != 0) {
      codec::appendUtf8(out, kana.base);
      if (kana.mark != 0) codec::appendUtf8(out, kana.mark);
    } else {
      out.append(text, start, pos - start);
    }
  }
  return out;
}

template <typename Map>
std::string mapLetters(std::string_view text, Map map) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t c = codec::nextCodePoint(text, pos);
    const char32_t mapped = c == codec::kInvalidCodePoint ? c : map(c);
    if (mapped == c) {
      out.append(text, start, pos - start);
    } else {
      codec::appendUtf8(out, mapped);
    }
  }
  return out;
}

}  // namespace

std::string ConvertCaseWidth(std::string_view text, std::string_view convMode) {
  if (convMode == "1") return mapLetters(text, toUpper);
  if (convMode == "2") return mapLetters(text, toLower);
  if (convMode == "3") return toWide(text);
  if (convMode == "4") return toNarrow(text);
  return std::string(text);
}

}  // namespace orbelin::convert
