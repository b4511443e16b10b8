#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

#include <chrono>
#include <memory>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "codec/Cp932.h"
#include "platform/common/BindingPlanner.h"
#include "platform/qt/QtClipboard.h"
#include "platform/x11/X11Keyboard.h"
#include "support/QtApplication.h"
#include "support/TextBox.h"
#include "support/TypingSuite.h"
#include "support/WaitFor.h"

namespace orbelin::platform::x11 {
namespace {

// The clipboard needs an application object, and this process must answer the client's
// paste requests, so it lives for the whole test program.
QGuiApplication& application() { return test::application<QGuiApplication>("x11_typing_tests"); }

TEST(QtClipboard, FailsWithoutAnApplication) {
  // Meaningful when this test runs in a program of its own, before any application exists.
  if (QCoreApplication::instance() == nullptr) {
    qt::QtClipboard clipboard;
    EXPECT_FALSE(clipboard.setText("x"));
  }
}

/// Clipboard data that notes when a program asks for it.
class WatchedText final : public QMimeData {
 public:
  explicit WatchedText(std::shared_ptr<bool> asked) : m_asked(std::move(asked)) {}

 protected:
  QVariant retrieveData(const QString& type, QMetaType preferred) const override {
    *m_asked = true;
    return QMimeData::retrieveData(type, preferred);
  }

 private:
  std::shared_ptr<bool> m_asked;
};

/// The clipboard as QtClipboard sets it, except that a text is replaced only once the
/// text box has asked for it: on a loaded machine the box may ask later than the
/// transfer's fixed pause and would then paste the empty text that follows. The guard
/// only keeps a box that never asks from hanging the test.
class AnsweredClipboard final : public Clipboard {
 public:
  bool setText(std::string_view text) override {
    test::waitFor([this] {
      QCoreApplication::processEvents();
      return *m_asked;
    }, std::chrono::seconds(60));
    m_asked = std::make_shared<bool>(text.empty());
    auto* data = new WatchedText(m_asked);
    data->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    return true;
  }

 private:
  std::shared_ptr<bool> m_asked = std::make_shared<bool>(true);
};

/// The real keyboard and clipboard, and the text box client focused by this driver.
class X11Typing {
 public:
  X11Typing() {
    application();
    auto opened = X11Keyboard::open(nullptr, qt::servingPause);
    m_keyboard = std::move(opened.keyboard);
    m_problem = opened.reason;
  }
  bool ready() const { return m_keyboard && m_client.ready(); }
  std::string problem() const { return m_keyboard ? m_client.problem() : m_problem; }
  X11Keyboard& keyboard() { return *m_keyboard; }
  Clipboard& clipboard() { return m_clipboard; }
  std::string text(const std::string&) {
    return m_client.text(*m_keyboard, [] { QCoreApplication::processEvents(); }).value_or("<no answer>");
  }
  void checkClipboardAfterPaste() {
    QClipboard* board = QGuiApplication::clipboard();
    EXPECT_TRUE(board->ownsClipboard()) << "this process stays the owner until the next set";
    EXPECT_EQ(board->text(), QString()) << "an empty text after the paste";
  }

 private:
  AnsweredClipboard m_clipboard;
  test::TextBox m_client{test::TextBox::Focus::Give};
  std::unique_ptr<X11Keyboard> m_keyboard;
  std::string m_problem;
};

class EngineTypingTest : public test::TypingSuite<X11Typing> {
 protected:
  X11Keyboard& keyboard() { return backend.keyboard(); }
  std::string text() { return backend.text({}); }
};

TEST_F(EngineTypingTest, NormalModeTypesMoreDistinctKanjiThanBindingsWholeAndInOrder) {
  // Twice as many distinct kanji as there are spare bindings (JIS level 1 from 亜 on),
  // drawn at random with ASCII between the runs: one record needs several keymap changes.
  ASSERT_GT(keyboard().spareBindings(), 0u);
  std::vector<std::string> kanji;
  for (unsigned code = 0x889F; kanji.size() < 2 * keyboard().spareBindings(); ++code) {
    const unsigned trail = code & 0xFF;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) continue;
    kanji.push_back(codec::fromCp932(std::string{static_cast<char>(code >> 8), static_cast<char>(trail)}));
  }
  std::mt19937 random(42);
  std::string record;
  std::vector<std::int32_t> drawn;
  while (drawn.size() < 1000) {
    for (auto run = 1 + random() % 6; run > 0; --run) {
      drawn.push_back(static_cast<std::int32_t>(random() % kanji.size()));
      record += kanji[static_cast<std::size_t>(drawn.back())];
    }
    record += static_cast<char>('0' + random() % 10);
  }
  EXPECT_TRUE(keyout::KeySendData(record, true, *out));
  const int changes = keyboard().mappingChanges();
  EXPECT_EQ(text(), record);
  EXPECT_LE(changes,
            static_cast<int>(platform::planBindingStretches(drawn, keyboard().spareBindings()).size()))
      << "one change for each stretch that fits the bindings";
}

// The server's layout switched before the keyboard and the text box start, and back to
// "us" afterwards for the tests that follow in this program.
class ServerLayout {
 public:
  explicit ServerLayout(const std::string& layout) : m_set(std::system(("setxkbmap " + layout).c_str()) == 0) {}
  ~ServerLayout() { (void)std::system("setxkbmap us"); }
  ServerLayout(const ServerLayout&) = delete;
  ServerLayout& operator=(const ServerLayout&) = delete;
  bool set() const { return m_set; }

 private:
  bool m_set;
};

struct LayoutCase {
  const char* layout;
  // Printable ASCII that only a dead key of the layout types: never typed.
  const char* deadOnly;
};

class LayoutFirst {
 protected:
  ServerLayout serverLayout{testing::WithParamInterface<LayoutCase>::GetParam().layout};
};

class LowLevelLayoutTest : public testing::WithParamInterface<LayoutCase>, public LayoutFirst, public EngineTypingTest {};

// Every printable ASCII character, the digits of "fr" (Shift), "@ [ ] { } \ | ~ #" (AltGr)
// included, typed by its keys on the server's layout.
TEST_P(LowLevelLayoutTest, TypesEveryCharacterWithItsShiftAndAltGrLevel) {
  ASSERT_TRUE(serverLayout.set()) << "setxkbmap " << GetParam().layout;
  std::string expected;
  for (char c = ' '; c <= '~'; ++c) {
    if (std::string_view(GetParam().deadOnly).find(c) == std::string_view::npos) expected += c;
  }
  std::string typed;
  for (char c : expected) typed += c == '{' ? "{{}" : c == '}' ? "{}}" : std::string(1, c);
  EXPECT_TRUE(keyout::LowKeySendData(typed, true, *out));
  EXPECT_EQ(text(), expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, LowLevelLayoutTest,
                         testing::Values(LayoutCase{"fr", ""}, LayoutCase{"de", "^`"}),
                         [](const testing::TestParamInfo<LayoutCase>& param) { return std::string(param.param.layout); });

TEST_F(EngineTypingTest, LowLevelModeReadsALayoutChangedWhileItRuns) {
  EXPECT_TRUE(keyout::LowKeySendData("2@", true, *out));
  const ServerLayout french("fr");
  ASSERT_TRUE(french.set());
  EXPECT_TRUE(keyout::LowKeySendData("2@", true, *out));
  EXPECT_EQ(text(), "2@2@");
}

}  // namespace
}  // namespace orbelin::platform::x11

namespace orbelin::test {
INSTANTIATE_TYPED_TEST_SUITE_P(X11, TypingSuite, platform::x11::X11Typing);
}  // namespace orbelin::test
