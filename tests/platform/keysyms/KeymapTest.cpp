#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "platform/Keyboard.h"
#include "platform/keysyms/Keymap.h"
#include "platform/keysyms/VirtualKeys.h"

namespace orbelin::platform::keysyms {
namespace {

struct VirtualKeyRow {
  std::uint8_t virtualKey;
  std::uint8_t scanCode;
  std::uint32_t flags;
  Keysym keysym;
};

TEST(VirtualKeys, MapToTheKeysymsOfTheirKeys) {
  const VirtualKeyRow rows[] = {
      {0x0D, 28, 0, XK_Return},         {0x0D, 28, kKeyExtended, XK_KP_Enter},
      {0x09, 15, 0, XK_Tab},            {0x10, 42, 0, XK_Shift_L},
      {0x10, 0x36, 0, XK_Shift_R},      {0x10, 42, kKeyExtended, XK_Shift_L},
      {0x11, 29, 0, XK_Control_L},      {0x11, 29, kKeyExtended | kKeyUp, XK_Control_R},
      {0x12, 56, 0, XK_Alt_L},          {0x12, 56, kKeyExtended, XK_Alt_R},
      {'A', 30, 0, XK_a},               {'Z', 44, kKeyExtended, XK_z},
      {'0', 11, 0, XK_0},               {'9', 10, 0, XK_9},
      {0x70, 59, 0, XK_F1},             {0x87, 118, 0, XK_F24},
      {0x2A, 0, 0, XK_Print},           {0x2B, 0, 0, XK_Execute},
      {0x2F, 0, 0, XK_Help},            {0x03, 70, 0, XK_Cancel},
      {0x25, 75, kKeyExtended, XK_Left}, {0x21, 73, 0, XK_Prior},
      {0x14, 58, 0, XK_Caps_Lock},      {0x91, 70, 0, XK_Scroll_Lock},
      {0xBA, 39, 0, XK_semicolon},      {0xBB, 13, 0, XK_equal},
      {0xBF, 53, 0, XK_slash},          {0xC0, 41, 0, XK_grave},
      {0xDC, 43, 0, XK_backslash},      {0xDE, 40, 0, XK_apostrophe},
      {0x07, 0, 0, kNoKeysym},          {0xFF, 0, 0, kNoKeysym},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(keysymOfVirtualKey(row.virtualKey, row.scanCode, row.flags), row.keysym)
        << "virtual key " << int(row.virtualKey) << " flags " << row.flags;
  }
}

TEST(VirtualKeys, UnshiftedKeysymsLeadBackToTheirVirtualKeys) {
  EXPECT_EQ(virtualKeyOfKeysym(XK_a), 'A');
  EXPECT_EQ(virtualKeyOfKeysym(XK_7), '7');
  EXPECT_EQ(virtualKeyOfKeysym(XK_comma), 0xBC);
  EXPECT_EQ(virtualKeyOfKeysym(XK_space), 0x20);
  EXPECT_EQ(virtualKeyOfKeysym(XK_F12), 0x7B);
  EXPECT_FALSE(virtualKeyOfKeysym(XK_A).has_value());
  EXPECT_FALSE(virtualKeyOfKeysym(kUnicodeKeysymBase + 0x3042).has_value());
}

TEST(VirtualKeys, ControlCharactersAreTheKeysWindowsReports) {
  const std::pair<std::uint8_t, std::int16_t> rows[] = {
      {'\r', 0x000D}, {'\t', 0x0009}, {'\b', 0x0008}, {'\x1b', 0x001B}, {'\n', 0x020D},
      {0x01, 0x0241}, {0x03, 0x0003}, {0x1A, 0x025A}, {0x1C, 0x02DC}, {0x7F, 0x0208},
  };
  for (const auto& [character, key] : rows) EXPECT_EQ(controlCharacterKey(character), key) << int(character);
  EXPECT_FALSE(controlCharacterKey('a').has_value());
  EXPECT_FALSE(controlCharacterKey(0xB6).has_value());
}

TEST(VirtualKeys, CharactersBecomeLatin1OrUnicodeKeysyms) {
  EXPECT_EQ(keysymOfCodePoint(U'A'), XK_A);
  EXPECT_EQ(keysymOfCodePoint(U'\u00E9'), XK_eacute);
  EXPECT_EQ(keysymOfCodePoint(U'\u3042'), 0x1003042u);
  EXPECT_EQ(keysymOfCodePoint(U'\uFF76'), 0x100FF76u);
  EXPECT_EQ(keysymOfCodePoint(U'\r'), XK_Return);
  EXPECT_EQ(keysymOfCodePoint(U'\x01'), kNoKeysym);
  EXPECT_EQ(keysymOfCodePoint(U'\x85'), kNoKeysym);
  EXPECT_EQ(keysymOfCodePoint(0xFFFFFFFF), kNoKeysym);
}

// Keycodes 10 to 14: "1 !", "comma less", an empty key, "bar brokenbar" (a key without a
// virtual key), "a A" with an AltGr level; then a second "less" key as on pc105.
Keymap sampleKeymap() {
  return Keymap(10, 3,
                {XK_1, XK_exclam, 0, XK_comma, XK_less, 0, 0, 0, 0, XK_bar, XK_brokenbar, 0, XK_a, XK_A, XK_ae,
                 XK_less, XK_greater, 0});
}

TEST(Keymap, FindsTheVirtualKeyAndShiftOfACharacter) {
  const Keymap keymap = sampleKeymap();
  const auto exclam = keymap.virtualKeyPlaceOf(XK_exclam);
  ASSERT_TRUE(exclam);
  EXPECT_EQ(exclam->first.keycode, 10);
  EXPECT_TRUE(exclam->first.shifted);
  EXPECT_EQ(exclam->second, '1');
  // The first key that types "<" wins, as the US layout reports it: Shift+comma.
  const auto less = keymap.virtualKeyPlaceOf(XK_less);
  ASSERT_TRUE(less);
  EXPECT_EQ(less->first.keycode, 11);
  EXPECT_TRUE(less->first.shifted);
  // A key without a virtual key cannot be reported, though it can type.
  EXPECT_FALSE(keymap.virtualKeyPlaceOf(XK_brokenbar));
  ASSERT_TRUE(keymap.placeOf(XK_brokenbar));
  EXPECT_EQ(keymap.placeOf(XK_brokenbar)->keycode, 13);
  // Posting prefers a key that needs no Shift.
  ASSERT_TRUE(keymap.placeOf(XK_less));
  EXPECT_EQ(keymap.placeOf(XK_less)->keycode, 15);
  EXPECT_FALSE(keymap.placeOf(XK_less)->shifted);
  // An AltGr level does not count.
  EXPECT_FALSE(keymap.virtualKeyPlaceOf(XK_ae));
  EXPECT_FALSE(keymap.placeOf(XK_ae));
}

TEST(Keymap, ListsEmptyKeycodesAndFindsUnshiftedKeysyms) {
  const Keymap keymap = sampleKeymap();
  EXPECT_EQ(keymap.emptyKeycodes(), std::vector<int>{12});
  EXPECT_EQ(keymap.keycodeOf(XK_a), 14);
  EXPECT_EQ(keymap.keycodeOf(XK_A), 0);
  EXPECT_EQ(keymap.keysym(99, 0), kNoKeysym);
  EXPECT_EQ(keymap.maxKeycode(), 15);
}

}  // namespace
}  // namespace orbelin::platform::keysyms
