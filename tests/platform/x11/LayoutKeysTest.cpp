#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "platform/x11/LayoutKeys.h"

namespace orbelin::platform::x11 {
namespace {

using Row = std::array<Keysym, 6>;  // levels 1 and 2, group 2 (unused), levels 3 and 4

// Parts of "fr" and "de" on evdev keycodes: the digit row of "fr" has no digit
// unshifted, "ß" of "de" sits where US has "-" while "-" sits where US has "/".
Keymap layout(bool withLevel3) {
  const std::map<int, Row> rows = {
      {10, {XK_ampersand, XK_1}},
      {11, {XK_eacute, XK_2, 0, 0, XK_asciitilde}},
      {19, {XK_agrave, XK_0, 0, 0, XK_at}},
      {20, {XK_ssharp, XK_question, 0, 0, XK_backslash}},
      {24, {XK_q, XK_Q, 0, 0, XK_at}},
      {34, {XK_udiaeresis, XK_Udiaeresis, 0, 0, XK_bar, XK_brokenbar}},
      {61, {XK_minus, XK_underscore}},
      {94, {XK_bar, XK_greater}},
      {108, {withLevel3 ? Keysym{XK_ISO_Level3_Shift} : Keysym{XK_Alt_R}}},
  };
  std::vector<Keysym> table;
  for (int keycode = 8; keycode <= 108; ++keycode) {
    const auto row = rows.find(keycode);
    const Row keysyms = row == rows.end() ? Row{} : row->second;
    table.insert(table.end(), keysyms.begin(), keysyms.end());
  }
  return Keymap(8, 6, std::move(table));
}

struct PlaceCase {
  const char* name;
  Keysym keysym;
  int keycode;
  bool shifted;
  bool altGr;
};

TEST(LayoutKeys, FindsEveryLevelOfAKeyAndAVirtualKeyThatReachesIt) {
  const Keymap keymap = layout(true);
  const LayoutKeys keys(keymap);
  const PlaceCase cases[] = {
      {"digit shifted", XK_2, 11, true, false},
      {"AltGr level", XK_asciitilde, 11, false, true},
      {"first key wins", XK_at, 19, false, true},
      {"beside a taken position", XK_backslash, 20, false, true},
      {"own virtual key", XK_minus, 61, false, false},
      {"no AltGr where a plain level types it", XK_bar, 94, false, false},
      {"Shift and AltGr", XK_brokenbar, 34, true, true},
  };
  for (const auto& c : cases) {
    const auto place = keys.placeOf(c.keysym);
    ASSERT_TRUE(place) << c.name;
    EXPECT_EQ(place->keycode, c.keycode) << c.name;
    EXPECT_EQ(place->shifted, c.shifted) << c.name;
    EXPECT_EQ(place->altGr, c.altGr) << c.name;
    // Pressing the virtual key reaches the key: by its own unshifted keysym, or as the
    // key given that virtual key by position.
    const int byKeysym = keymap.keycodeOf(keysymOfVirtualKey(place->virtualKey, 0, 0));
    const int reached = byKeysym != 0 ? byKeysym : keys.keycodeOfPositionKey(place->virtualKey);
    EXPECT_EQ(reached, c.keycode) << c.name;
  }
  EXPECT_EQ(keys.placeOf(XK_2)->virtualKey, '2') << "the US key at the same position";
  EXPECT_EQ(keys.placeOf(XK_minus)->virtualKey, 0xBD);
  EXPECT_NE(keys.placeOf(XK_backslash)->virtualKey, 0xBD) << "taken by the key that types -";
  EXPECT_FALSE(keys.placeOf(XK_braceleft));
}

TEST(LayoutKeys, WithoutALevel3KeyTheAltGrLevelsDoNotCount) {
  const LayoutKeys keys(layout(false));
  EXPECT_FALSE(keys.placeOf(XK_asciitilde));
  EXPECT_FALSE(keys.placeOf(XK_backslash));
  ASSERT_TRUE(keys.placeOf(XK_2));
  EXPECT_FALSE(keys.placeOf(XK_2)->altGr);
}

}  // namespace
}  // namespace orbelin::platform::x11
