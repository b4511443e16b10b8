#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "support/TextBox.h"
#include "support/TypingSuite.h"

namespace orbelin::platform::wayland {
namespace {

// One keyboard for the whole program, as the desktop program keeps one.
WaylandKeyboard* sharedKeyboard() {
  static auto opened = WaylandKeyboard::open();
  return opened.keyboard.get();
}

/// The virtual keyboard, the data-control clipboard and a new text box client.
class WaylandTyping {
 public:
  WaylandTyping() {
    if (m_keyboard == nullptr) {
      m_problem = WaylandKeyboard::open().reason;
      return;
    }
    auto opened = WaylandClipboard::open();
    m_clipboard = std::move(opened.clipboard);
    if (!m_clipboard) {
      m_problem = opened.reason;
      return;
    }
    m_client = std::make_unique<test::TextBox>(test::TextBox::Focus::Await);
    m_problem = m_client->problem();
  }
  bool ready() const { return m_client && m_client->ready(); }
  const std::string& problem() const { return m_problem; }
  WaylandKeyboard& keyboard() { return *m_keyboard; }
  WaylandClipboard& clipboard() { return *m_clipboard; }
  std::string text(const std::string&) { return m_client->text(*m_keyboard).value_or("<no answer>"); }
  void checkClipboardAfterPaste() {}

 private:
  WaylandKeyboard* m_keyboard = sharedKeyboard();
  std::unique_ptr<WaylandClipboard> m_clipboard;
  std::unique_ptr<test::TextBox> m_client;
  std::string m_problem;
};

using WaylandTypingTest = test::TypingSuite<WaylandTyping>;

TEST_F(WaylandTypingTest, TheClipboardOffersItsTextUntilAnotherOwnerReplacesIt) {
  ASSERT_TRUE(backend.clipboard().setText("品番"));
  EXPECT_TRUE(keyout::KeySendData("{C+V}-{C+V}", true, *out));
  EXPECT_EQ(text({}), "品番-品番");
  auto other = WaylandClipboard::open();
  ASSERT_TRUE(other.clipboard) << other.reason;
  ASSERT_TRUE(other.clipboard->setText("x"));
  EXPECT_TRUE(keyout::KeySendData("{C+V}", true, *out));
  EXPECT_EQ(text({}), "品番-品番x");
}

}  // namespace
}  // namespace orbelin::platform::wayland

namespace orbelin::test {
INSTANTIATE_TYPED_TEST_SUITE_P(Wayland, TypingSuite, platform::wayland::WaylandTyping);
}  // namespace orbelin::test
