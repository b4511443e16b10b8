#include <gtest/gtest.h>

#include "KeyFixture.h"
#include "keyout/KeyPress.h"
#include "keyout/KeyTokens.h"
#include "text/Integers.h"

namespace orbelin::keyout {
namespace {

using namespace test;

TEST(RecordingLayout, ReportsTheUsEnglishKeysOfCharacters) {
  struct Case {
    char character;
    std::int16_t key;
  };
  const Case cases[] = {
      {'A', 0x0141},  {'a', 0x0041},  {'Z', 0x015A},  {'0', 0x0030},  {'9', 0x0039},  {'{', 0x01DB},
      {'}', 0x01DD},  {'[', 0x00DB},  {'\n', 0x020D}, {'\r', 0x000D}, {'\t', 0x0009}, {'\x01', 0x0241},
      {'\x1a', 0x025A}, {'\b', 0x0008}, {' ', 0x0020}, {';', 0x00BA}, {':', 0x01BA}, {'+', 0x01BB},
      {'=', 0x00BB},  {',', 0x00BC},  {'-', 0x00BD},  {'_', 0x01BD},  {'.', 0x00BE},  {'/', 0x00BF},
      {'?', 0x01BF},  {'`', 0x00C0},  {'~', 0x01C0},  {'\\', 0x00DC}, {'|', 0x01DC},  {'\'', 0x00DE},
      {'"', 0x01DE},  {'!', 0x0131},  {'@', 0x0132},  {')', 0x0130},  {'\x7f', 0x0208},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::sim::usKeyForCharacter(c.character), c.key) << int(c.character);
  EXPECT_EQ(platform::sim::usKeyForCharacter(0xB1), -1);
  EXPECT_EQ(platform::sim::usKeyForCharacter(0x82), -1);
}

TEST(RecordingLayout, ReportsSetOneScanCodes) {
  const std::pair<int, int> cases[] = {{'A', 30}, {13, 28}, {9, 15}, {16, 42}, {17, 29}, {18, 56}, {32, 57},
                                       {'1', 2},  {'0', 11}, {'V', 47}, {112, 59}, {123, 88}, {37, 75},
                                       {0xDB, 26}, {43, 0}};
  for (const auto& [vk, scan] : cases) EXPECT_EQ(platform::sim::usScanCodeOf(std::uint8_t(vk)), scan) << vk;
}

struct VKeyCase {
  const char* name;
  int vk;
  int modifier;
  int modifier2;
  bool extended;
  Lines expected;
};

TEST(SendVKey, SendsModifiersAroundTheKeyWithAPauseAfterEveryEvent) {
  const VKeyCase cases[] = {
      {"C+V", 86, 17, 0, false,
       {"key 17 29 0", "sleep 7", "key 86 47 0", "sleep 7", "key 86 47 2", "sleep 7", "key 17 29 2", "sleep 7"}},
      {"two modifiers", 65, 17, 16, false,
       {"key 16 42 0", "sleep 7", "key 17 29 0", "sleep 7", "key 65 30 0", "sleep 7", "key 65 30 2", "sleep 7",
        "key 17 29 2", "sleep 7", "key 16 42 2", "sleep 7"}},
      {"RShift", 16, 0, 0, true, press(16, 0x36, 0, 7)},
      {"RCtrl", 17, 0, 0, true, press(17, 29, 1, 7)},
      {"extended flag reaches the modifier", 46, 17, 0, true,
       {"key 17 29 1", "sleep 7", "key 46 83 1", "sleep 7", "key 46 83 3", "sleep 7", "key 17 29 3", "sleep 7"}},
      {"vk 0", 0, 0, 0, false, {}},
      {"vk 255", 255, 0, 0, false, {}},
      {"vk -1", -1, 0, 0, false, {}},
      {"modifier 255", 65, 255, 0, false, {}},
      {"modifier2 -1", 65, 0, -1, false, {}},
  };
  for (const auto& c : cases) {
    KeyFixture f;
    f.weights("0", "7");
    SendVKey(f.out, c.vk, c.modifier, c.modifier2, c.extended);
    EXPECT_EQ(f.lines(), c.expected) << c.name;
  }
}

TEST(SendVKey, ReleasesHeldKeysWhenAPauseFails) {
  KeyFixture f;
  f.weights("0", "x");
  EXPECT_THROW(SendVKey(f.out, 65, 17, 16, false), report::RuntimeFailure);
  // Shift went down and its pause failed: it comes up at once, Ctrl and A never go down.
  EXPECT_EQ(f.lines(), (Lines{"key 16 42 0", "key 16 42 2"}));
}

TEST(SendCharKey, TypesACharacterByItsKeyAndShiftOnly) {
  struct Case {
    std::int32_t code;
    Lines expected;
  };
  const Case cases[] = {
      {'A', {"key 16 42 0", "key 65 30 0", "key 65 30 2", "key 16 42 2"}},
      {'a', press(65, 30)},
      {'{', {"key 16 42 0", "key 219 26 0", "key 219 26 2", "key 16 42 2"}},
      {'\r', press(13, 28)},
      {'\n', press(13, 28)},  // Ctrl+Enter on the layout; the Ctrl is not pressed
      {'\x01', press(65, 30)},
      {-32096, {}},            // あ: double-byte characters are never typed by key
      {0, {}},
      {255, {}},
      {0xB1, {}},              // half-width katakana: no key on this layout
  };
  for (const auto& c : cases) {
    KeyFixture f;
    SendCharKey(f.out, c.code);
    EXPECT_EQ(f.lines(), c.expected) << c.code;
  }
}

// A layout with an AltGr level, as VkKeyScanA reports "de": "@" is AltGr+Q (Ctrl+Alt),
// "|" is Shift+AltGr on a made-up key, "q" plain.
class AltGrKeyboard : public platform::sim::RecordingKeyboard {
 public:
  using RecordingKeyboard::RecordingKeyboard;
  std::int16_t keyForCharacter(std::uint8_t character) override {
    if (character == '@') return 0x0651;
    if (character == '|') return 0x07E2;
    return RecordingKeyboard::keyForCharacter(character);
  }
};

TEST(SendCharKey, TypesACharacterOnTheAltGrLevelWithTheRightAlt) {
  struct Case {
    std::int32_t code;
    Lines expected;
  };
  const Case cases[] = {
      {'@', {"key 165 56 1", "sleep 3", "key 81 16 0", "sleep 3", "key 81 16 2", "sleep 3", "key 165 56 3", "sleep 3"}},
      {'|',
       {"key 165 56 1", "sleep 3", "key 16 42 0", "sleep 3", "key 226 86 0", "sleep 3", "key 226 86 2", "sleep 3",
        "key 16 42 2", "sleep 3", "key 165 56 3", "sleep 3"}},
      {'q', press(81, 16, 0, 3)},
  };
  for (const auto& c : cases) {
    KeyFixture f;
    f.weights("0", "3");
    AltGrKeyboard keyboard(f.h.transcript, &f.h.clock);
    KeyOutput out{keyboard, f.clipboard, f.h.clock, f.settings, f.h.reporter, nullptr};
    SendCharKey(out, c.code);
    EXPECT_EQ(f.lines(), c.expected) << c.code;
  }
}

TEST(KeyTokens, MatchLetterCaseExactly) {
  EXPECT_EQ(findKeyToken("{ENTER}"), (KeyAction{13}));
  EXPECT_FALSE(findKeyToken("{enter}"));
  EXPECT_FALSE(findKeyToken("{Enter}"));
  EXPECT_EQ(findKeyToken("{Space}"), (KeyAction{32}));
  EXPECT_FALSE(findKeyToken("{SPACE}"));
  EXPECT_FALSE(findKeyToken("{Shift}"));
  EXPECT_EQ(findKeyToken("{F10}"), (KeyAction{121}));
  EXPECT_FALSE(findKeyToken("{F}"));
  EXPECT_FALSE(findKeyToken("{f1}"));
  EXPECT_FALSE(findKeyToken("{C+}"));
  EXPECT_FALSE(findKeyToken("{X+A}"));
  EXPECT_EQ(findKeyToken("{S+5}"), (KeyAction{53, 16}));
}

}  // namespace
}  // namespace orbelin::keyout
