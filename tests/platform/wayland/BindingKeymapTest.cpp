#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon.h>

#include "platform/sim/RecordingKeyboard.h"
#include "platform/wayland/BindingKeymap.h"

namespace orbelin::platform::wayland {
namespace {

std::unique_ptr<BindingKeymap> makeKeymap() {
  std::string reason;
  auto keymap = BindingKeymap::create(reason);
  EXPECT_TRUE(keymap) << reason;
  return keymap;
}

// The keysym the compiled keymap types on keycode without modifiers.
Keysym typedBy(const BindingKeymap& keymap, int keycode) {
  const xkb_keysym_t* syms = nullptr;
  const int count = xkb_keymap_key_get_syms_by_level(keymap.keymap(), static_cast<xkb_keycode_t>(keycode), 0, 0, &syms);
  return count > 0 ? syms[0] : keysyms::kNoKeysym;
}

TEST(BindingKeymap, OffersSpareKeycodesWithinTheX11Range) {
  auto keymap = makeKeymap();
  ASSERT_TRUE(keymap);
  EXPECT_GE(keymap->capacity(), 60u);
  EXPECT_LE(keymap->layout().maxKeycode(), 255);
  EXPECT_NE(keymap->text().find("xkb_symbols"), std::string::npos);
}

TEST(BindingKeymap, LayoutIsTheUsOneOfTheTranscripts) {
  auto keymap = makeKeymap();
  ASSERT_TRUE(keymap);
  for (int c = 0x20; c <= 0x7E; ++c) {
    const auto place = keymap->layout().virtualKeyPlaceOf(keysyms::keysymOfCodePoint(static_cast<char32_t>(c)));
    ASSERT_TRUE(place) << "character " << c;
    const std::int16_t key = static_cast<std::int16_t>(place->second | (place->first.shifted ? 0x100 : 0));
    EXPECT_EQ(key, sim::usKeyForCharacter(static_cast<std::uint8_t>(c))) << "character " << c;
  }
}

TEST(BindingKeymap, BindsCharactersToSpareKeycodesAndReplacesThem) {
  auto keymap = makeKeymap();
  ASSERT_TRUE(keymap);
  const Keysym nichi = keysyms::keysymOfCodePoint(U'日');
  const Keysym ka = keysyms::keysymOfCodePoint(U'ｶ');
  const Keysym yen = keysyms::keysymOfCodePoint(U'¥');
  const std::vector<Keysym> first = {nichi, ka, yen};
  ASSERT_TRUE(keymap->bind(first));
  for (const Keysym keysym : first) {
    const int keycode = keymap->boundKeycodeOf(keysym);
    ASSERT_NE(keycode, 0);
    EXPECT_EQ(typedBy(*keymap, keycode), keysym);
    EXPECT_EQ(keymap->layout().keysym(keycode, 0), keysyms::kNoKeysym) << "a key the layout left empty";
  }
  const std::vector<Keysym> second = {ka};
  ASSERT_TRUE(keymap->bind(second));
  EXPECT_EQ(keymap->boundKeycodeOf(nichi), 0);
  EXPECT_EQ(typedBy(*keymap, keymap->boundKeycodeOf(ka)), ka);
}

TEST(BindingKeymap, BindsNoMoreThanItsCapacity) {
  auto keymap = makeKeymap();
  ASSERT_TRUE(keymap);
  std::vector<Keysym> many;
  for (char32_t c = U'一'; many.size() < keymap->capacity() + 5; ++c) many.push_back(keysyms::keysymOfCodePoint(c));
  ASSERT_TRUE(keymap->bind(many));
  EXPECT_EQ(keymap->bound().size(), keymap->capacity());
  EXPECT_EQ(typedBy(*keymap, keymap->boundKeycodeOf(many[keymap->capacity() - 1])), many[keymap->capacity() - 1]);
  EXPECT_EQ(keymap->boundKeycodeOf(many.back()), 0);
}

}  // namespace
}  // namespace orbelin::platform::wayland
