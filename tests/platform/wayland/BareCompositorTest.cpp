// Opening the keyboard and the clipboard on a compositor without their protocols fails
// with the reason the program turns into its "only X11 programs" notice.
#include <gtest/gtest.h>

#include "BareCompositor.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandKeyboard.h"

namespace orbelin::platform::wayland {
namespace {

using test::wayland::BareCompositor;

TEST(BareCompositor, HasNoVirtualKeyboardAndSaysSo) {
  BareCompositor compositor;
  ASSERT_NE(compositor.socket(), nullptr);
  const auto opened = WaylandKeyboard::open(compositor.socket());
  EXPECT_FALSE(opened.keyboard);
  EXPECT_EQ(opened.failure, WaylandKeyboard::Failure::NoVirtualKeyboard);
  EXPECT_NE(opened.reason.find("zwp_virtual_keyboard_manager_v1"), std::string::npos) << opened.reason;
}

TEST(BareCompositor, HasNoBackgroundClipboardAndSaysSo) {
  BareCompositor compositor;
  ASSERT_NE(compositor.socket(), nullptr);
  const auto opened = WaylandClipboard::open(compositor.socket());
  EXPECT_FALSE(opened.clipboard);
  EXPECT_NE(opened.reason.find("zwlr_data_control_manager_v1"), std::string::npos) << opened.reason;
}

}  // namespace
}  // namespace orbelin::platform::wayland
