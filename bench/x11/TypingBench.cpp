// Types 2,000 mixed characters (ASCII and Japanese) into the text box client through
// the normal transfer with both pauses at 0, and reports characters per second,
// characters lost and keymap changes. Needs an X display of its own: run it through
// with-xvfb.sh. An argument repeats every measurement that many times.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "TextBoxDriver.h"
#include "keyout/KeySendData.h"
#include "platform/x11/X11Keyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"

namespace {

using namespace orbelin;

constexpr std::size_t kCharacters = 2000;

// Label-like records: codes and quantities in ASCII, place and product names in
// Japanese (kanji, hiragana, full-width and half-width katakana). The wide set has more
// distinct characters than there are spare key bindings (38 under Xvfb), the medium one
// fewer than the bindings but more than the keycodes, the narrow one fewer than both.
const std::vector<std::string> kWidePieces = {
    "ITEM-", "0042", " ", "東京第二倉庫", " ", "入荷", " qty=", "12", " ", "ﾀﾞﾝﾎﾞｰﾙ", " ", "株式会社",
    "オルベリン", " ", "品番", "A-7/3", " ", "検品済み", " ", "大阪", "出荷", "(ok)", " ", "ロット",
    "2026", "年", "12", "月", " ", "冷蔵", "保管", ";", "#", "名古屋営業所", " ", "ｶﾅ", "日本語", "、", "。",
};
const std::vector<std::string> kMediumPieces = {
    "ITEM-", "0042", " ", "東京第二倉庫", " ", "入荷", " qty=", "12", " ", "ﾀﾞﾝﾎﾞｰﾙ", " ", "株式会社",
    "オルベリン", " ", "品番", "A-7/3", " ", "検品済み", "。",
};
const std::vector<std::string> kNarrowPieces = {
    "ITEM-", "0042", " ", "東京倉庫", " ", "入荷", " qty=", "12", " ", "ｶﾅ", " ", "品番", "A-7/3", " ", "出荷済み", "。",
};

// A product or address field of a two-dimensional code: half the characters are kanji
// drawn at random from these 68, the other half ASCII codes and quantities.
const std::string kKanji =
    "東京都千代田区丸内丁目番号株式会社物流入荷検品済北海道札幌市中央南西大阪府名古屋愛知県横浜川崎神奈福岡博多港新宿"
    "渋谷池袋上野浅草銀座日本";
const std::string kAscii = "ITEM-0042 qty=12 A-7/3 (ok);#LOT2026/12 ";

std::vector<std::string> characters(const std::string& utf8) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    out.push_back(utf8.substr(i, length));
    i += length;
  }
  return out;
}

std::string mixedText(const std::vector<std::string>& pieces) {
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
std::string kanjiText() {
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
std::size_t lostCharacters(const std::vector<std::string>& expected, const std::vector<std::string>& got) {
  std::size_t matched = 0;
  for (const auto& c : got) {
    if (matched < expected.size() && expected[matched] == c) ++matched;
  }
  return expected.size() - matched;
}

}  // namespace

struct Run {
  const char* name;
  std::string text;
};

// Types one text into the emptied box; true when it arrived unchanged.
bool measure(const Run& run, platform::x11::X11Keyboard& keyboard, keyout::KeyOutput& out,
             test::x11::TextBoxDriver& client) {
  keyout::KeySendData("{C+A}{DELETE}", true, out);
  const std::string& text = run.text;
  const auto expected = characters(text);
  std::vector<std::string> distinct;
  for (const auto& c : expected) {
    if (c.size() > 1 && std::find(distinct.begin(), distinct.end(), c) == distinct.end()) distinct.push_back(c);
  }
  const int changesBefore = keyboard.mappingChanges();
  const auto start = std::chrono::steady_clock::now();
  const bool typed = keyout::KeySendData(text, true, out);
  const double sending = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto got = client.text(keyboard);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!typed || !got) {
    std::fprintf(stderr, "typing failed or the client did not answer\n");
    return false;
  }
  const auto received = characters(*got);
  std::printf("%s: %zu characters, %zu distinct non-ASCII\n", run.name, expected.size(), distinct.size());
  std::printf("  received %zu, lost %zu, identical %s\n", received.size(), lostCharacters(expected, received),
              *got == text ? "yes" : "no");
  std::printf("  %.2f s (sent in %.2f s), %.1f characters per second, %d keymap changes\n", seconds, sending,
              static_cast<double>(expected.size()) / seconds, keyboard.mappingChanges() - changesBefore);
  return *got == text;
}

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  auto opened = platform::x11::X11Keyboard::open();
  if (!opened.keyboard) {
    std::fprintf(stderr, "no keyboard: %s\n", opened.reason.c_str());
    return 1;
  }
  auto& keyboard = *opened.keyboard;
  test::x11::TextBoxDriver client;
  if (!client.ready()) {
    std::fprintf(stderr, "%s\n", client.problem().c_str());
    return 1;
  }
  test::Harness harness;
  const settings::Settings settings = settings::Settings::defaults();  // both pauses "0"
  // The normal transfer never touches the clipboard.
  struct : platform::Clipboard {
    bool setText(std::string_view) override { return false; }
  } noClipboard;
  keyout::KeyOutput out{keyboard, noClipboard, harness.clock, settings, harness.reporter, nullptr};

  std::printf("normal transfer, KeyWeight 0, KeyDwnWeight 0, %zu spare key bindings\n", keyboard.spareBindings());
  const std::vector<Run> runs = {{"wide vocabulary", mixedText(kWidePieces)},
                                 {"medium vocabulary", mixedText(kMediumPieces)},
                                 {"narrow vocabulary", mixedText(kNarrowPieces)},
                                 {"ASCII only", mixedText({kAscii})},
                                 {"68 kanji at random", kanjiText()}};
  bool identical = true;
  for (int round = 0; round < rounds; ++round) {
    for (const auto& run : runs) identical = measure(run, keyboard, out, client) && identical;
  }
  return identical ? 0 : 2;
}
