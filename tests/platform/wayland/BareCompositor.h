#pragma once

#include <wayland-server.h>

#include <atomic>
#include <cstdint>
#include <thread>

namespace orbelin::test::wayland {

// A seat without any input device.
inline void bindSeat(wl_client* client, void*, std::uint32_t version, std::uint32_t id) {
  wl_resource* seat = wl_resource_create(client, &wl_seat_interface, static_cast<int>(version), id);
  wl_resource_set_implementation(seat, nullptr, nullptr, nullptr);
  wl_seat_send_capabilities(seat, 0);
}

/// A compositor in this process that offers a seat but neither the virtual keyboard nor
/// the data-control clipboard, as GNOME and KDE Plasma do. Its socket is in
/// XDG_RUNTIME_DIR.
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

}  // namespace orbelin::test::wayland
