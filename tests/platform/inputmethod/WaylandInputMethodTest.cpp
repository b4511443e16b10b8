// The normal transfer typing into the text box client through the Wayland virtual
// keyboard while fcitx5 or ibus with Mozc composes: run under with-sway.sh and
// with-input-method.sh.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "keyout/KeySendData.h"
#include "platform/inputmethod/MethodControl.h"
#include "platform/sim/RecordingClipboard.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "settings/Settings.h"
#include "support/Harness.h"
#include "support/MethodWait.h"
#include "support/TextBox.h"

namespace orbelin::platform::inputmethod {
namespace {

TEST(WaylandInputMethod, RecordsArriveExactlyAndTheMethodComesBack) {
  auto opened = wayland::WaylandKeyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;
  test::Harness harness;
  settings::Settings settings = settings::Settings::defaults();
  sim::RecordingClipboard clipboard{harness.transcript};
  keyout::KeyOutput out{*opened.keyboard, clipboard, harness.clock, settings, harness.reporter, nullptr};
  test::TextBox client(test::TextBox::Focus::Await);
  ASSERT_TRUE(client.ready()) << client.problem();
  const auto method = test::sessionMethod();
  ASSERT_TRUE(test::methodBecomes(*method, true)) << method->name() << " did not compose for the text box";
  for (const char* record : {"4912345678904{ENTER}", "abc-123/XYZ{TAB}x{ENTER}", "{C+A}日本ｶﾅ{ENTER}"}) {
    EXPECT_TRUE(keyout::KeySendData(record, true, out)) << record;
    EXPECT_TRUE(test::methodBecomes(*method, true)) << method->name() << " stayed off after " << record;
  }
  EXPECT_EQ(client.text(*opened.keyboard).value_or("<no answer>"), "日本ｶﾅ\n");
  EXPECT_TRUE(harness.errorLines().empty());
}

}  // namespace
}  // namespace orbelin::platform::inputmethod
