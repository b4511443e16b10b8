#include <gtest/gtest.h>

#include "ReplayTyping.h"
#include "platform/x11/X11Keyboard.h"
#include "support/TextBox.h"

namespace orbelin::tools {
namespace {

TEST(ReplayX11, TypesTheCaptureIntoAnXClientAndPrintsTheTranscript) {
  test::TextBox client(test::TextBox::Focus::Give);
  ASSERT_TRUE(client.ready()) << client.problem();
  test::replayAbc12("x11");
  auto keyboard = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(keyboard.keyboard) << keyboard.reason;
  EXPECT_EQ(client.text(*keyboard.keyboard), "Abc12");
}

}  // namespace
}  // namespace orbelin::tools
