// A compositor that offers a seat but neither the virtual keyboard nor the data-control
// clipboard, as GNOME and KDE Plasma do: opening them must fail with the reason the
// program turns into its "only X11 programs" notice.
#include <gtest/gtest.h>

#include <wayland-server.h>

#include <atomic>
#include <thread>

#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandKeyboard.h"

namespace orbelin::platform::wayland {
namespace {

void bindSeat(wl_client* client, void*, std::uint32_t version, std::uint32_t id) {
  wl_resource* seat = wl_resource_create(client, &wl_seat_interface, static_cast<int>(version), id);
  wl_resource_set_implementation(seat, nullptr, nullptr, nullptr);
  wl_seat_send_capabilities(seat, 0);
}

class BareCompositor {
 public:
  BareCompositor() : m_display(wl_display_create()) {
    m_socket = wl_display_add_socket_auto(m_display);
    wl_global_create(m_display, &wl_seat_interface, 2, nullptr, bindSeat);
    m_thread = std::thread([this] {
      wl_event_loop* loop = wl_display_get_event_loop(m_display);
      while (!m_stop) {
        wl_event_loop_dispatch(loop, 20);
        wl_display_flush_clients(m_display);
      }
    });
  }
  ~BareCompositor() {
    m_stop = true;
    m_thread.join();
    wl_display_destroy_clients(m_display);
    wl_display_destroy(m_display);
  }
  const char* socket() const { return m_socket; }

 private:
  wl_display* m_display;
  const char* m_socket = nullptr;
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

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
