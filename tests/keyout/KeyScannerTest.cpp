#include <gtest/gtest.h>

#include <string>

#include "codec/Cp932.h"
#include "keyout/KeyScanner.h"
#include "platform/sim/SimClock.h"

namespace orbelin::keyout {
namespace {

// One item in short form: "cA" ordinary, "^13" control, "k13" key (+modifier, e for
// extended), "b{" literal brace, "x" expansion, "{" brace typed for a group that is no token.
std::string describe(const KeyItem& item) {
  switch (item.kind) {
    case KeyItemKind::Character: return 'c' + codec::fromCp932(item.bytes);
    case KeyItemKind::Control: return '^' + std::to_string(item.code);
    case KeyItemKind::Key: {
      std::string text = 'k' + std::to_string(item.action.virtualKey);
      if (item.action.modifier != 0) text += '+' + std::to_string(item.action.modifier);
      if (item.action.extended) text += 'e';
      return text;
    }
    case KeyItemKind::Brace: return std::string("b") + static_cast<char>(item.code);
    case KeyItemKind::Expansion: return "x";
    case KeyItemKind::OpenBrace: return "{";
  }
  return "?";
}

std::string scanAll(std::string_view keyString, bool interpretTokens = true) {
  platform::sim::SimClock clock;
  KeyScanner scanner(keyString, interpretTokens, clock);
  std::string all;
  while (!scanner.atEnd()) {
    if (!all.empty()) all += ' ';
    all += describe(scanner.next());
  }
  return all;
}

struct ScanCase {
  const char* keyString;
  const char* items;
};

TEST(KeyScanner, SplitsKeyStringsIntoCharactersAndTokens) {
  const ScanCase cases[] = {
      {"{ENTER}", "k13"},
      {"{enter}", "{ ce cn ct ce cr c}"},
      {"{{}", "b{"},
      {"{}}", "b}"},
      {"{}", "{ c}"},
      {"{{ENTER}", "{ k13"},
      {"{}x}", "{ c} cx c}"},
      {"A{ABC", "cA { cA cB cC"},
      {"{Date", "{ cD ca ct ce"},
      {"{{}}", "b{ c}"},
      {"{A{TAB}B", "{ cA k9 cB"},
      {"}", "c}"},
      {"{C+A}{A+0}{S+Z}", "k65+17 k48+18 k90+16"},
      {"{C+a}", "{ cC c+ ca c}"},
      {"{F1}{F24}", "k112 k135"},
      {"{F25}", "{ cF c2 c5 c}"},
      {"{F01}", "{ cF c0 c1 c}"},
      {"{RShift}{RCtrl}{RAlt}{LShift}", "k16e k17e k18e k16"},
      {"{PRTSC}{BREAK}{Execute}{HELP}", "k42 k3 k43 k47"},
      {"a\rb\t\x7f", "ca ^13 cb ^9 ^127"},
      {"あｱ", "cあ cｱ"},
      {"{あ}", "{ cあ c}"},
      {"{Date}", "x c2 c0 c0 c8 c/ c0 c3 c/ c2 c8"},
      {"{Time}", "x c1 c4 c: c0 c5 c: c0 c9"},
      {"{Date}{Time}!", "x c2 c0 c0 c8 c/ c0 c3 c/ c2 c8 x c1 c4 c: c0 c5 c: c0 c9 c!"},
      {"{date}", "{ cd ca ct ce c}"},
  };
  for (const auto& c : cases) EXPECT_EQ(scanAll(c.keyString), c.items) << c.keyString;
}

TEST(KeyScanner, ReadsBracesAsCharactersWhenTokensAreOff) {
  EXPECT_EQ(scanAll("{ENTER}", false), "c{ cE cN cT cE cR c}");
  EXPECT_EQ(scanAll("{Date}", false), "c{ cD ca ct ce c}");
}

TEST(KeyScanner, GivesCodePage932CodesAsSigned16BitNumbers) {
  platform::sim::SimClock clock;
  KeyScanner scanner("あA\xEF\xBD\xB1", true, clock);  // あ, A, half-width katakana A
  EXPECT_EQ(scanner.next().code, -32096);
  EXPECT_EQ(scanner.next().code, 65);
  const KeyItem katakana = scanner.next();
  EXPECT_EQ(katakana.code, 0xB1);
  EXPECT_EQ(katakana.kind, KeyItemKind::Character);
  EXPECT_TRUE(scanner.atEnd());
}

TEST(KeyScanner, CountsRemainingBytesAcrossAnExpansion) {
  platform::sim::SimClock clock;
  KeyScanner scanner("ABCD{Date}", true, clock);
  ASSERT_EQ(scanner.initialLength(), 10u);
  std::vector<std::size_t> before;
  while (!scanner.atEnd()) before.push_back(scanner.next().remainingBefore);
  // A B C D, the expansion, then "2008/03/28": its first character starts again at 10.
  const std::vector<std::size_t> expected = {10, 9, 8, 7, 6, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
  EXPECT_EQ(before, expected);
}

TEST(KeyScanner, ExpandsTheDateWhenItIsReached) {
  platform::sim::SimClock clock({2008, 12, 31, 23, 59, 59});
  KeyScanner scanner("A{Date}", true, clock);
  scanner.next();
  clock.advance(1000);  // typing "A" took long enough to pass midnight
  std::string typed;
  while (!scanner.atEnd()) {
    const KeyItem item = scanner.next();
    if (item.kind == KeyItemKind::Character) typed += item.bytes;
  }
  EXPECT_EQ(typed, "2009/01/01");
}

TEST(KeyScanner, ExpandsEveryTokenOfALongString) {
  platform::sim::SimClock clock;
  std::string keyString;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    keyString += i % 2 == 0 ? "{Date}" : "x{Time}";
    expected += i % 2 == 0 ? "2008/03/28" : "x14:05:09";
  }
  KeyScanner scanner(keyString, true, clock);
  std::string typed;
  while (!scanner.atEnd()) {
    const KeyItem item = scanner.next();
    if (item.kind == KeyItemKind::Character) typed += item.bytes;
  }
  EXPECT_EQ(typed, expected);
}

}  // namespace
}  // namespace orbelin::keyout
