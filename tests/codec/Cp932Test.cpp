#include "codec/Cp932.h"

#include <gtest/gtest.h>

#include <string>

#include "codec/MidBStr.h"
#include "codec/Utf8.h"

namespace orbelin::codec {
namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

char32_t onlyCodePoint(const std::string& utf8) {
  std::size_t pos = 0;
  const char32_t cp = nextCodePoint(utf8, pos);
  EXPECT_EQ(pos, utf8.size()) << "more than one character";
  return cp;
}

TEST(Cp932, EverySingleByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string one = bytes({b});
    EXPECT_EQ(toCp932(fromCp932(one)), one) << "byte " << b;
  }
}

TEST(Cp932, EveryDoubleByteSequenceSurvivesOrMapsToItsPreferredCode) {
  int changed = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string pair = bytes({lead, trail});
      const std::string text = fromCp932(pair);
      const std::string back = toCp932(text);
      EXPECT_EQ(fromCp932(back), text) << std::hex << lead << ' ' << trail;
      if (back != pair) {
        // Only a character with two codes may come back under the other one.
        ++changed;
        EXPECT_EQ(charLengthAt(pair, 0), 2u) << std::hex << lead << ' ' << trail;
        EXPECT_TRUE(lead == 0xED || lead == 0xEE || lead == 0xFA || lead == 0xFB || lead == 0x87 ||
                    lead == 0x81)
            << std::hex << lead << ' ' << trail;
      }
    }
  }
  EXPECT_GT(changed, 300);  // the NEC-selected rows and the duplicated symbols
  EXPECT_LT(changed, 420);
}

struct SingleCase {
  int byte;
  char32_t codePoint;
};

class Cp932SingleBytes : public ::testing::TestWithParam<SingleCase> {};

TEST_P(Cp932SingleBytes, DecodeAsWindowsDoes) {
  const auto [byte, codePoint] = GetParam();
  EXPECT_EQ(onlyCodePoint(fromCp932(bytes({byte}))), codePoint);
}

INSTANTIATE_TEST_SUITE_P(Table, Cp932SingleBytes,
                         ::testing::Values(SingleCase{0x5C, U'\\'}, SingleCase{0x7E, U'~'},
                                           SingleCase{0x80, 0x0080}, SingleCase{0xA0, 0xF8F0},
                                           SingleCase{0xA1, 0xFF61}, SingleCase{0xDF, 0xFF9F},
                                           SingleCase{0xFD, 0xF8F1}, SingleCase{0xFF, 0xF8F3},
                                           SingleCase{0x1A, 0x1A}, SingleCase{0x7F, 0x7F}));

struct EncodeCase {
  char32_t codePoint;
  int code;
};

class Cp932Encoding : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(Cp932Encoding, PicksTheCodeWindowsPicks) { EXPECT_EQ(encodeCodePoint(GetParam().codePoint), GetParam().code); }

INSTANTIATE_TEST_SUITE_P(Table, Cp932Encoding,
                         ::testing::Values(EncodeCase{U'あ', 0x82A0}, EncodeCase{0x2170, 0xFA40},  // small roman one
                                           EncodeCase{0x7E8A, 0xFA5C},                             // IBM row, not ED40
                                           EncodeCase{0x2160, 0x8754},                             // NEC row 13
                                           EncodeCase{0xFFE2, 0x81CA}, EncodeCase{0x2235, 0x81E6},
                                           EncodeCase{0x2252, 0x81E0}, EncodeCase{0xFF5E, 0x8160},
                                           EncodeCase{0x20AC, -1}, EncodeCase{0x00E9, -1},
                                           EncodeCase{0x00A5, -1}));

TEST(Cp932, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(toCp932("a€é😀b"), "a???b");
  EXPECT_EQ(toCp932("\xFF\xC3"), "??");  // malformed UTF-8
}

TEST(Cp932, StrayLeadBytesArePreserved) {
  const std::string cases[] = {bytes({0x82}), bytes({0x82, 0x20}), bytes({0x41, 0x82}), bytes({0x85, 0x40}),
                               bytes({0xFC, 0xFC, 0x41})};
  for (const auto& raw : cases) EXPECT_EQ(toCp932(fromCp932(raw)), raw);
  EXPECT_EQ(fromCp932(bytes({0x82, 0x20})).back(), ' ');
}

TEST(Cp932, CharacterLengthFollowsTheDecoder) {
  const std::string text = bytes({0x41, 0x82, 0xA0, 0xB6, 0x82, 0x20, 0x82});
  EXPECT_EQ(charLengthAt(text, 0), 1u);
  EXPECT_EQ(charLengthAt(text, 1), 2u);
  EXPECT_EQ(charLengthAt(text, 3), 1u);
  EXPECT_EQ(charLengthAt(text, 4), 1u);  // lead byte before an invalid trail byte
  EXPECT_EQ(charLengthAt(text, 6), 1u);  // lead byte at the end
  EXPECT_EQ(charLengthAt(text, 7), 0u);
}

TEST(Cp932, OneCharacterDecodesAsTheWholeTextDoes) {
  const std::string text = bytes({0x41, 0x82, 0xA0, 0xB6, 0x82, 0x20, 0x82});
  std::u32string one;
  for (std::size_t pos = 0; pos < text.size(); pos += charLengthAt(text, pos)) {
    one += decodeCharacter(std::string_view(text).substr(pos, charLengthAt(text, pos)));
  }
  std::u32string whole;
  const std::string utf8 = fromCp932(text);
  for (std::size_t pos = 0; pos < utf8.size();) whole += nextCodePoint(utf8, pos);
  EXPECT_EQ(one, whole);
  EXPECT_TRUE(isStrayByte(decodeCharacter(bytes({0x82}))));
  EXPECT_FALSE(isStrayByte(decodeCharacter(bytes({0x82, 0xA0}))));
  EXPECT_FALSE(isStrayByte(U'\uF780'));  // 0x80 is a character of its own
}

TEST(MidBStr, TakesBytesOfTheCodePageForm) {
  EXPECT_EQ(MidBStr("AあB", 2, 2), "あ");
  EXPECT_EQ(MidBStr("AあB", 1, 100), "AあB");
  EXPECT_EQ(MidBStr("AあB", 5, 1), "");
  EXPECT_EQ(MidBStr("AあB", 0, 1), "");
  EXPECT_EQ(MidBStr("AあB", 1, 0), "");
  EXPECT_EQ(toCp932(MidBStr("AあB", 2, 1)), bytes({0x82}));  // half a character stays one byte
}

}  // namespace
}  // namespace orbelin::codec
