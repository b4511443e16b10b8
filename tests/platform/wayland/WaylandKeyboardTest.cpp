#include <gtest/gtest.h>

#include <string>

#include "codec/Cp932.h"
#include "codec/Utf8.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "support/KeyboardSuite.h"

namespace orbelin::platform::wayland {
namespace {

using namespace test;

std::unique_ptr<WaylandKeyboard> openKeyboard() { return test::openKeyboard<WaylandKeyboard>(); }

TEST(WaylandKeyboardOpen, ExplainsWhyThereIsNoKeyboardWithoutADisplay) {
  const auto opened = WaylandKeyboard::open("orbelin-no-such-display");
  EXPECT_FALSE(opened.keyboard);
  EXPECT_EQ(opened.failure, WaylandKeyboard::Failure::NoDisplay);
  EXPECT_NE(opened.reason.find("orbelin-no-such-display"), std::string::npos) << opened.reason;
}

TEST(WaylandKeyboardOpen, TheFirstKeysReachAClientThatStartedBeforeTheKeyboard) {
  // The seat has no keyboard yet: the client learns of ours only when it appears.
  TextBox client(TextBox::Focus::Shown);
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

/// The shared keyboard and a new text box client, focused by the compositor.
class WaylandBackend {
 public:
  static std::unique_ptr<WaylandKeyboard> open() { return openKeyboard(); }
  bool ready() const { return m_keyboard != nullptr && m_client.ready(); }
  std::string problem() const { return m_keyboard != nullptr ? m_client.problem() : "no keyboard"; }
  WaylandKeyboard& keyboard() { return *m_keyboard; }
  TextBox& client() { return m_client; }

 private:
  WaylandKeyboard* m_keyboard = sharedKeyboard();
  TextBox m_client{TextBox::Focus::Await};
};

using WaylandKeyboardTest = test::KeyboardSuite<WaylandBackend>;

TEST_F(WaylandKeyboardTest, AnnouncedCharactersShareOneKeymapUpload) {
  int before = keyboard().keymapUploads();
  post(keyboard(), "札幌市北区札幌", true);
  EXPECT_EQ(keyboard().keymapUploads() - before, 1);
  before = keyboard().keymapUploads();
  post(keyboard(), "函館港", false);
  EXPECT_EQ(keyboard().keymapUploads() - before, 3) << "unannounced, each new character needs its own";
  EXPECT_EQ(text(), "札幌市北区札幌函館港");
}

TEST_F(WaylandKeyboardTest, MoreDistinctCharactersThanOneKeymapHoldsArriveInOrder) {
  std::vector<char32_t> kanji;
  for (char32_t c = U'一'; kanji.size() < keyboard().bindingCapacity() * 2 + 30; ++c) {
    if (codec::encodeCodePoint(c) >= 0) kanji.push_back(c);
  }
  // Every character twice, the second round in another order, so bindings are replaced.
  std::string expected;
  for (std::size_t i = 0; i < kanji.size() * 2; ++i) {
    codec::appendUtf8(expected, kanji[i < kanji.size() ? i : (i * 7) % kanji.size()]);
  }
  const int uploadsBefore = keyboard().keymapUploads();
  post(keyboard(), expected, true);
  EXPECT_EQ(text(), expected);
  EXPECT_GE(keyboard().keymapUploads() - uploadsBefore, 3);
}

}  // namespace
}  // namespace orbelin::platform::wayland

namespace orbelin::test {
INSTANTIATE_TYPED_TEST_SUITE_P(Wayland, KeyboardSuite, platform::wayland::WaylandBackend);
}  // namespace orbelin::test
