#include <gtest/gtest.h>

#include "ReplayTyping.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "support/TextBox.h"

namespace orbelin::tools {
namespace {

TEST(ReplayWayland, TypesTheCaptureIntoAWaylandClientAndPrintsTheTranscript) {
  // This keyboard gives the client its focus and reads the text back.
  auto keyboard = platform::wayland::WaylandKeyboard::open();
  ASSERT_TRUE(keyboard.keyboard) << keyboard.reason;
  test::TextBox client(test::TextBox::Focus::Await);
  ASSERT_TRUE(client.ready()) << client.problem();
  test::replayAbc12("wayland");
  EXPECT_EQ(client.text(*keyboard.keyboard), "Abc12");
}

}  // namespace
}  // namespace orbelin::tools
