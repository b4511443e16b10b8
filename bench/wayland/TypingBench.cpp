// Types the 2,000 mixed characters of the X11 benchmark (ASCII and Japanese) into the
// text box client as a Wayland client, through the virtual keyboard and the normal
// transfer with both pauses at 0, and reports characters per second and characters
// lost. Needs a compositor of its own: run it through with-sway.sh.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "WaylandTextBox.h"
#include "keyout/KeySendData.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"

namespace {

using namespace orbelin;

constexpr std::size_t kCharacters = 2000;

// Label-like records: codes and quantities in ASCII, place and product names in
// Japanese (kanji, hiragana, full-width and half-width katakana); the same sets as the
// X11 benchmark, so the figures compare.
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

// Mostly kanji: 68 distinct ones in addresses, company and product names.
const std::vector<std::string> kKanjiPieces = {
    "LOT-", "0042", " ", "東京都千代田区丸の内", " ", "株式会社北海物流", " qty=", "12", " ", "冷蔵品", "検品済",
    " ", "大阪府堺市南区", " ", "精密機械部品", "A-7/3", " ", "名古屋第三倉庫", "入荷予定", " ", "福岡県博多港",
    "出荷指示書", " ", "静岡", "青森林檎", "長野県松本市", "新潟米", "広島", "。",
};

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
  const std::vector<std::string>& pieces;
};

// Types one text into the emptied box; true when it arrived unchanged.
bool measure(const Run& run, platform::wayland::WaylandKeyboard& keyboard, keyout::KeyOutput& out,
             test::wayland::WaylandTextBox& client) {
  keyout::KeySendData("{C+A}{DELETE}", true, out);
  const std::string text = mixedText(run.pieces);
  const auto expected = characters(text);
  std::vector<std::string> distinct;
  for (const auto& c : expected) {
    if (c.size() > 1 && std::find(distinct.begin(), distinct.end(), c) == distinct.end()) distinct.push_back(c);
  }
  const int changesBefore = keyboard.keymapUploads();
  const auto start = std::chrono::steady_clock::now();
  const bool typed = keyout::KeySendData(text, true, out);
  const auto got = client.text(keyboard);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!typed || !got) {
    std::fprintf(stderr, "typing failed or the client did not answer\n");
    return false;
  }
  const auto received = characters(*got);
  std::printf("%s vocabulary: %zu characters, %zu distinct non-ASCII\n", run.name, expected.size(), distinct.size());
  std::printf("  received %zu, lost %zu, identical %s\n", received.size(), lostCharacters(expected, received),
              *got == text ? "yes" : "no");
  std::printf("  %.2f s, %.1f characters per second, %d keymap uploads\n", seconds,
              static_cast<double>(expected.size()) / seconds, keyboard.keymapUploads() - changesBefore);
  return *got == text;
}

int main() {
  auto opened = platform::wayland::WaylandKeyboard::open();
  if (!opened.keyboard) {
    std::fprintf(stderr, "no keyboard: %s\n", opened.reason.c_str());
    return 1;
  }
  auto& keyboard = *opened.keyboard;
  test::wayland::WaylandTextBox client;
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

  std::printf("normal transfer, KeyWeight 0, KeyDwnWeight 0, %zu characters per keymap\n", keyboard.bindingCapacity());
  bool identical = measure({"wide", kWidePieces}, keyboard, out, client);
  identical = measure({"medium", kMediumPieces}, keyboard, out, client) && identical;
  identical = measure({"narrow", kNarrowPieces}, keyboard, out, client) && identical;
  identical = measure({"kanji", kKanjiPieces}, keyboard, out, client) && identical;
  return identical ? 0 : 2;
}
