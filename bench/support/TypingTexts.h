// The texts of the typing benchmarks, shared so that the figures of every keyboard
// backend compare, and the check of what arrived.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace orbelin::bench {

inline constexpr std::size_t kCharacters = 2000;

// Label-like records: codes and quantities in ASCII, place and product names in
// Japanese (kanji, hiragana, full-width and half-width katakana). The wide set has more
// distinct characters than there are spare key bindings (38 under Xvfb), the medium one
// fewer than the bindings but more than the keycodes, the narrow one fewer than both.
inline const std::vector<std::string> kWidePieces = {
    "ITEM-", "0042", " ", "東京第二倉庫", " ", "入荷", " qty=", "12", " ", "ﾀﾞﾝﾎﾞｰﾙ", " ", "株式会社",
    "オルベリン", " ", "品番", "A-7/3", " ", "検品済み", " ", "大阪", "出荷", "(ok)", " ", "ロット",
    "2026", "年", "12", "月", " ", "冷蔵", "保管", ";", "#", "名古屋営業所", " ", "ｶﾅ", "日本語", "、", "。",
};
inline const std::vector<std::string> kMediumPieces = {
    "ITEM-", "0042", " ", "東京第二倉庫", " ", "入荷", " qty=", "12", " ", "ﾀﾞﾝﾎﾞｰﾙ", " ", "株式会社",
    "オルベリン", " ", "品番", "A-7/3", " ", "検品済み", "。",
};
inline const std::vector<std::string> kNarrowPieces = {
    "ITEM-", "0042", " ", "東京倉庫", " ", "入荷", " qty=", "12", " ", "ｶﾅ", " ", "品番", "A-7/3", " ", "出荷済み", "。",
};

// A product or address field of a two-dimensional code: half the characters are kanji
// drawn at random from these 68, the other half ASCII codes and quantities.
inline const std::string kKanji =
    "東京都千代田区丸内丁目番号株式会社物流入荷検品済北海道札幌市中央南西大阪府名古屋愛知県横浜川崎神奈福岡博多港新宿"
    "渋谷池袋上野浅草銀座日本";
inline const std::string kAscii = "ITEM-0042 qty=12 A-7/3 (ok);#LOT2026/12 ";

inline std::vector<std::string> characters(const std::string& utf8) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    out.push_back(utf8.substr(i, length));
    i += length;
  }
  return out;
}

inline std::string mixedText(const std::vector<std::string>& pieces) {
  std::vector<std::string> chars;
  for (std::size_t piece = 0; chars.size() < kCharacters; ++piece) {
    for (auto& c : characters(pieces[piece % pieces.size()])) {
      if (chars.size() < kCharacters) chars.push_back(c);
    }
  }
  std::string text;
  for (const auto& c : chars) text += c;
  return text;
}

// Runs of 1 to 8 kanji and of 1 to 8 ASCII characters in turn, 1,000 of each; the
// same text every time (mt19937's output is fixed by the standard, and only it is used).
inline std::string kanjiText() {
  const auto kanji = characters(kKanji);
  std::mt19937 random(20261208);
  std::string text;
  std::size_t kanjiLeft = kCharacters / 2;
  std::size_t asciiLeft = kCharacters - kanjiLeft;
  std::size_t asciiAt = 0;
  while (kanjiLeft + asciiLeft > 0) {
    for (auto run = 1 + random() % 8; run > 0 && kanjiLeft > 0; --run, --kanjiLeft) {
      text += kanji[random() % kanji.size()];
    }
    for (auto run = 1 + random() % 8; run > 0 && asciiLeft > 0; --run, --asciiLeft) {
      text += kAscii[asciiAt++ % kAscii.size()];
    }
  }
  return text;
}

// Characters of expected that did not arrive, matching in order.
inline std::size_t lostCharacters(const std::vector<std::string>& expected, const std::vector<std::string>& got) {
  std::size_t matched = 0;
  for (const auto& c : got) {
    if (matched < expected.size() && expected[matched] == c) ++matched;
  }
  return expected.size() - matched;
}

struct TypingText {
  const char* name;
  std::string text;
};

inline std::vector<TypingText> typingTexts() {
  return {{"wide vocabulary", mixedText(kWidePieces)},
          {"medium vocabulary", mixedText(kMediumPieces)},
          {"narrow vocabulary", mixedText(kNarrowPieces)},
          {"ASCII only", mixedText({kAscii})},
          {"68 kanji at random", kanjiText()}};
}

}  // namespace orbelin::bench
