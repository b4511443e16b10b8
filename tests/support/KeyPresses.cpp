#include "support/KeyPresses.h"

#include <gtest/gtest.h>

#include <string>

#include "codec/Cp932.h"

namespace orbelin::test {

void press(platform::Keyboard& keyboard, std::uint8_t virtualKey, std::uint32_t flags) {
  const std::uint8_t scan = keyboard.scanCodeOf(virtualKey);
  keyboard.keyEvent(virtualKey, scan, flags);
  keyboard.keyEvent(virtualKey, scan, flags | platform::kKeyUp);
}

void pressWith(platform::Keyboard& keyboard, std::uint8_t modifier, std::uint8_t modifierScan, std::uint32_t flags,
               std::uint8_t virtualKey) {
  keyboard.keyEvent(modifier, modifierScan, flags);
  press(keyboard, virtualKey);
  keyboard.keyEvent(modifier, modifierScan, flags | platform::kKeyUp);
}

void typeKeys(platform::Keyboard& keyboard, std::string_view text) {
  for (char c : text) {
    const std::int16_t key = keyboard.keyForCharacter(static_cast<std::uint8_t>(c));
    ASSERT_NE(key, -1) << "no key for " << c;
    const bool shift = (key & 0x100) != 0;
    if (shift) keyboard.keyEvent(kShift, 42, 0);
    press(keyboard, static_cast<std::uint8_t>(key & 0xFF));
    if (shift) keyboard.keyEvent(kShift, 42, platform::kKeyUp);
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

void post(platform::Keyboard& keyboard, std::string_view utf8, bool announce) {
  const auto characters = charactersOf(utf8);
  if (announce) keyboard.prepareCharacters(characters);
  for (const auto character : characters) {
    const auto focus = keyboard.focusWindow();
    ASSERT_TRUE(focus) << "no focus window to post to";
    keyboard.postCharacter(*focus, character);
  }
}

}  // namespace orbelin::test
