#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "WaylandTextBox.h"
#include "convert/codec/Cp932.h"
#include "convert/codec/Utf8.h"
#include "platform/wayland/WaylandKeyboard.h"

namespace orbelin::platform::wayland {
namespace {

using test::wayland::WaylandTextBox;

constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kCtrl = 0x11;
constexpr std::uint8_t kCapsLock = 0x14;

std::unique_ptr<WaylandKeyboard> openKeyboard() {
  auto opened = WaylandKeyboard::open();
  EXPECT_TRUE(opened.keyboard) << opened.reason;
  return std::move(opened.keyboard);
}

void press(Keyboard& keyboard, std::uint8_t virtualKey, std::uint32_t flags = 0) {
  const std::uint8_t scan = keyboard.scanCodeOf(virtualKey);
  keyboard.keyEvent(virtualKey, scan, flags);
  keyboard.keyEvent(virtualKey, scan, flags | kKeyUp);
}

void typeKeys(Keyboard& keyboard, std::string_view text) {
  for (char c : text) {
    const std::int16_t key = keyboard.keyForCharacter(static_cast<std::uint8_t>(c));
    ASSERT_NE(key, -1) << "no key for " << c;
    const bool shift = (key & 0x100) != 0;
    if (shift) keyboard.keyEvent(kShift, 42, 0);
    press(keyboard, static_cast<std::uint8_t>(key & 0xFF));
    if (shift) keyboard.keyEvent(kShift, 42, kKeyUp);
  }
}

std::vector<char32_t> charactersOf(std::string_view utf8) {
  const std::string bytes = codec::toCp932(utf8);
  std::vector<char32_t> characters;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = codec::charLengthAt(bytes, pos);
    characters.push_back(codec::decodeCharacter(std::string_view(bytes).substr(pos, length)));
    pos += length;
  }
  return characters;
}

// Posts UTF-8 text by its code page 932 characters, as the engine reads it, announced
// first as the engine does.
void post(Keyboard& keyboard, std::string_view utf8, bool announce = true) {
  const auto characters = charactersOf(utf8);
  if (announce) keyboard.prepareCharacters(characters);
  for (const auto character : characters) keyboard.postCharacter(*keyboard.focusWindow(), character);
}

TEST(WaylandKeyboardOpen, ExplainsWhyThereIsNoKeyboardWithoutADisplay) {
  const auto opened = WaylandKeyboard::open("orbelin-no-such-display");
  EXPECT_FALSE(opened.keyboard);
  EXPECT_EQ(opened.failure, WaylandKeyboard::Failure::NoDisplay);
  EXPECT_NE(opened.reason.find("orbelin-no-such-display"), std::string::npos) << opened.reason;
}

TEST(WaylandKeyboardOpen, TheFirstKeysReachAClientThatStartedBeforeTheKeyboard) {
  // The seat has no keyboard yet: the client learns of ours only when it appears.
  WaylandTextBox client(false);
  ASSERT_TRUE(client.ready()) << client.problem();
  auto keyboard = openKeyboard();
  ASSERT_TRUE(keyboard);
  typeKeys(*keyboard, "first");
  EXPECT_EQ(client.text(*keyboard).value_or("<no answer>"), "first");
}

// One keyboard for the tests below, as the program keeps one: a keyboard new to the seat
// makes its first key wait for the clients.
WaylandKeyboard* sharedKeyboard() {
  static auto keyboard = openKeyboard();
  return keyboard.get();
}

class WaylandKeyboardTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(keyboard);
    client = std::make_unique<WaylandTextBox>();
    ASSERT_TRUE(client->ready()) << client->problem();
  }
  std::string text() { return client->text(*keyboard).value_or("<no answer>"); }

  WaylandKeyboard* keyboard = sharedKeyboard();
  std::unique_ptr<WaylandTextBox> client;
};

TEST_F(WaylandKeyboardTest, TypesLettersDigitsSymbolsTabAndEnter) {
  const std::string line = "Hello World 0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ xyz";
  typeKeys(*keyboard, line);
  press(*keyboard, 0x09);
  typeKeys(*keyboard, "b");
  press(*keyboard, 0x0D);
  typeKeys(*keyboard, "c");
  press(*keyboard, 0x0D, kKeyExtended);  // keypad Enter
  EXPECT_EQ(text(), line + "\tb\nc\n");
}

TEST_F(WaylandKeyboardTest, RightHandModifiersWork) {
  typeKeys(*keyboard, "abc");
  keyboard->keyEvent(kCtrl, 29, kKeyExtended);
  press(*keyboard, 'A');
  keyboard->keyEvent(kCtrl, 29, kKeyExtended | kKeyUp);
  keyboard->keyEvent(kShift, 0x36, 0);
  press(*keyboard, 'X');
  keyboard->keyEvent(kShift, 0x36, kKeyUp);
  typeKeys(*keyboard, "y");
  EXPECT_EQ(text(), "Xy");
}

TEST_F(WaylandKeyboardTest, PostsJapaneseAndAsciiWholeWithOrWithoutAnnouncement) {
  post(*keyboard, "日本語ｶﾅ");
  post(*keyboard, "A1 あ{", false);
  EXPECT_EQ(text(), "日本語ｶﾅA1 あ{");
}

TEST_F(WaylandKeyboardTest, AnnouncedCharactersShareOneKeymapUpload) {
  int before = keyboard->keymapUploads();
  post(*keyboard, "札幌市北区札幌");
  EXPECT_EQ(keyboard->keymapUploads() - before, 1);
  before = keyboard->keymapUploads();
  post(*keyboard, "函館港", false);
  EXPECT_EQ(keyboard->keymapUploads() - before, 3) << "unannounced, each new character needs its own";
  EXPECT_EQ(text(), "札幌市北区札幌函館港");
}

TEST_F(WaylandKeyboardTest, MoreDistinctCharactersThanOneKeymapHoldsArriveInOrder) {
  std::vector<char32_t> kanji;
  for (char32_t c = U'一'; kanji.size() < keyboard->bindingCapacity() * 2 + 30; ++c) {
    if (codec::encodeCodePoint(c) >= 0) kanji.push_back(c);
  }
  // Every character twice, the second round in another order, so bindings are replaced.
  std::string expected;
  for (std::size_t i = 0; i < kanji.size() * 2; ++i) {
    codec::appendUtf8(expected, kanji[i < kanji.size() ? i : (i * 7) % kanji.size()]);
  }
  const int uploadsBefore = keyboard->keymapUploads();
  post(*keyboard, expected);
  EXPECT_EQ(text(), expected);
  EXPECT_GE(keyboard->keymapUploads() - uploadsBefore, 3);
}

TEST_F(WaylandKeyboardTest, PostedCharactersIgnoreCapsLockWhileKeysFollowIt) {
  press(*keyboard, kCapsLock);
  post(*keyboard, "aB1!");
  typeKeys(*keyboard, "a");
  press(*keyboard, kCapsLock);
  typeKeys(*keyboard, "a");
  EXPECT_EQ(text(), "aB1!Aa");
}

TEST_F(WaylandKeyboardTest, TracesWhatItIsAskedToDo) {
  std::ostringstream trace;
  keyboard->setTrace(&trace);
  press(*keyboard, 'A');
  post(*keyboard, "あ");
  keyboard->sleep(1);
  keyboard->setTrace(nullptr);
  EXPECT_EQ(trace.str(), "key 65 30 0\nkey 65 30 2\nime -32096\nsleep 1\n");
  EXPECT_EQ(text(), "aあ");
}

TEST_F(WaylandKeyboardTest, ReleaseAllLeavesNoModifierDown) {
  keyboard->keyEvent(kShift, 42, 0);
  keyboard->keyEvent(kCtrl, 29, kKeyExtended);
  keyboard->releaseAll();
  typeKeys(*keyboard, "a");
  {
    // A keyboard that ends with keys held releases them.
    auto other = openKeyboard();
    ASSERT_TRUE(other);
    other->keyEvent(kShift, 0x36, 0);
  }
  typeKeys(*keyboard, "b");
  EXPECT_EQ(text(), "ab");
}

}  // namespace
}  // namespace orbelin::platform::wayland
