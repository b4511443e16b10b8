#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "keyout/DOSKeySendData.h"
#include "KeyFixture.h"
#include "codec/Cp932.h"
#include "keyout/KeyScanner.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"

namespace orbelin::keyout {
namespace {

// Random key strings built from pieces that stress the scanner: lone and doubled braces,
// tokens, near-tokens, expansions, control codes, double-byte characters (some with a
// trail byte equal to "}" or "{"), half-width katakana and arbitrary code page 932 bytes.
class KeyStringSource {
 public:
  explicit KeyStringSource(unsigned seed) : m_random(seed) {}

  std::string next() {
    static const char* const kPieces[] = {
        "{", "}", "{{}", "{}}", "{}", "{ENTER}", "{enter}", "{Date}", "{Time}", "{C+V}", "{S+1}", "{F12}",
        "{RShift}", "{RCtrl}", "{ABC", "x}", "A", "z", "1", " ", "\r", "\n", "\t", "\x1b", "\x7f",
        "あ", "マ", "ｱ", "日本", "{マ}", "{Date", "Date}",
    };
    std::string bytes;
    const int count = pick(0, 24);
    for (int i = 0; i < count; ++i) {
      if (pick(0, 9) == 0) {
        bytes += static_cast<char>(pick(0, 255));
      } else {
        bytes += codec::toCp932(kPieces[pick(0, std::size(kPieces) - 1)]);
      }
    }
    return codec::fromCp932(bytes);
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
  int pick(int low, std::size_t high) { return pick(low, static_cast<int>(high)); }

  std::mt19937 m_random;
};

struct Step {
  KeyItemKind kind;
  std::int16_t code;
  std::size_t remainingBefore;
  bool operator==(const Step&) const = default;
};

// The scanning rules followed word for word on a string that is cut and re-joined at
// every step, as a model for the scanner's position-based reading.
std::vector<Step> modelScan(std::string rest, const platform::LocalTime& now) {
  std::vector<Step> steps;
  while (!rest.empty()) {
    const std::size_t before = rest.size();
    std::size_t n = codec::charLengthAt(rest, 0);
    if (rest[0] != '{') {
      const auto code = n == 1 ? static_cast<unsigned char>(rest[0])
                               : static_cast<std::int16_t>((static_cast<unsigned char>(rest[0]) << 8) |
                                                           static_cast<unsigned char>(rest[1]));
      steps.push_back({isControlCode(code) ? KeyItemKind::Control : KeyItemKind::Character,
                       static_cast<std::int16_t>(code), before});
      rest.erase(0, n);
      continue;
    }
    std::string token;
    while (!rest.empty()) {
      n = codec::charLengthAt(rest, 0);
      token += rest.substr(0, n);
      if (token != "{}" && rest[0] == '}') break;
      rest.erase(0, n);
    }
    const auto brace = findBraceToken(token);
    if (findKeyToken(token)) {
      steps.push_back({KeyItemKind::Key, 0, before});
      rest.erase(0, 1);
    } else if (brace == BraceToken::LiteralOpen || brace == BraceToken::LiteralClose) {
      steps.push_back({KeyItemKind::Brace, static_cast<std::int16_t>(token[1]), before});
      rest.erase(0, 1);
    } else if (brace) {
      char text[16];
      if (*brace == BraceToken::Date) {
        std::snprintf(text, sizeof text, "%04d/%02d/%02d", now.year, now.month, now.day);
      } else {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour, now.minute, now.second);
      }
      steps.push_back({KeyItemKind::Expansion, 0, before});
      rest.erase(0, 1);
      rest.insert(0, text);
    } else {
      steps.push_back({KeyItemKind::OpenBrace, '{', before});
      if (!rest.empty()) rest.erase(0, 1);
      rest.insert(0, token);
      rest.erase(0, 1);
    }
  }
  return steps;
}

TEST(KeyScannerRandom, FollowsTheScanningRulesOnRandomKeyStrings) {
  KeyStringSource source(20080328);
  platform::sim::SimClock clock;
  for (int round = 0; round < 10000; ++round) {
    const std::string keyString = source.next();
    KeyScanner scanner(keyString, true, clock);
    std::vector<Step> steps;
    while (!scanner.atEnd()) {
      const KeyItem item = scanner.next();
      steps.push_back({item.kind, item.kind == KeyItemKind::Key || item.kind == KeyItemKind::Expansion ? std::int16_t{0} : item.code,
                       item.remainingBefore});
      ASSERT_LT(steps.size(), 10000u) << "no end: " << keyString;
    }
    ASSERT_EQ(steps, modelScan(codec::toCp932(keyString), clock.localTime())) << keyString;
  }
}

// Every key event that went down has come up again, in every mode and also when the
// transfer fails half-way through a key press.
void expectNoKeyHeld(const std::vector<std::string>& lines, const std::string& keyString) {
  std::vector<std::string> held;
  for (const auto& line : lines) {
    if (line.rfind("key ", 0) != 0) continue;
    const std::string key = line.substr(0, line.rfind(' '));
    const int flags = std::stoi(line.substr(line.rfind(' ') + 1));
    if ((flags & 2) == 0) {
      held.push_back(key);
    } else {
      ASSERT_FALSE(held.empty()) << "released a key not held: " << line << " in " << keyString;
      ASSERT_EQ(held.back(), key) << keyString;
      held.pop_back();
    }
  }
  EXPECT_TRUE(held.empty()) << keyString;
}

TEST(KeyScannerRandom, TransfersReleaseEveryKeyTheyPress) {
  KeyStringSource source(1279);
  test::KeyFixture f;  // one program folder for all rounds; the transcript is cleared each time
  for (int round = 0; round < 1500; ++round) {
    const std::string keyString = source.next();
    for (const char* dwnWeight : {"0", "x"}) {
      for (int mode = 0; mode < 3; ++mode) {
        f.h.transcript.clear();
        f.weights("0", dwnWeight);
        const bool typed = mode == 0   ? KeySendData(keyString, true, f.out)
                           : mode == 1 ? LowKeySendData(keyString, true, f.out)
                                       : DOSKeySendData(keyString, true, 3, f.out);
        expectNoKeyHeld(f.lines(), keyString);
        if (std::string(dwnWeight) == "0") {
          EXPECT_TRUE(typed) << keyString;
        }
      }
    }
  }
}

}  // namespace
}  // namespace orbelin::keyout
