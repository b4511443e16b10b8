#include "platform/wayland/WaylandClipboard.h"

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <ctime>

#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace orbelin::platform::wayland {

namespace {

// The types text is offered as: what Wayland and X11 programs (through XWayland) ask for.
constexpr const char* kTextTypes[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "STRING", "TEXT"};

// How long setText waits for the compositor to take the selection.
constexpr int kRoundTripGuardMs = 5000;
// How long a text offered and not yet pasted is kept before another replaces it. A paste
// key reaches the program that pastes well before it asks for the text, the longer the
// busier the machine; the transfer's own pause after the key may be shorter.
constexpr auto kHandOverGuard = std::chrono::milliseconds(2000);

}  // namespace

/// One text offered; lives until the compositor cancels it (another owner took over).
struct OfferedText {
  ClipboardConnection* connection = nullptr;
  zwlr_data_control_source_v1* source = nullptr;
  std::string text;
  bool handedOut = false;
};

struct ClipboardConnection {
  ~ClipboardConnection() {
    for (auto* offered : offers) {
      zwlr_data_control_source_v1_destroy(offered->source);
      delete offered;
    }
    if (device != nullptr) zwlr_data_control_device_v1_destroy(device);
    if (manager != nullptr) zwlr_data_control_manager_v1_destroy(manager);
    if (seat != nullptr) wl_seat_destroy(seat);
    if (registry != nullptr) wl_registry_destroy(registry);
    if (queue != nullptr) wl_event_queue_destroy(queue);
    if (display != nullptr) wl_display_disconnect(display);
    if (wake >= 0) ::close(wake);
  }

  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_seat* seat = nullptr;
  zwlr_data_control_manager_v1* manager = nullptr;
  zwlr_data_control_device_v1* device = nullptr;
  // The queue setText waits on while the serving thread dispatches the default one.
  wl_event_queue* queue = nullptr;
  int wake = -1;
  std::set<OfferedText*> offers;
  // The text offered last while it is still the selection.
  OfferedText* current = nullptr;
  std::mutex* mutex = nullptr;
  std::condition_variable handedOut;
};

namespace {

void writeAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      pollfd poller{fd, POLLOUT, 0};
      if (poll(&poller, 1, 1000) <= 0) return;
    } else if (!(n < 0 && errno == EINTR)) {
      return;  // the reader went away
    }
  }
}

void sourceSend(void* data, zwlr_data_control_source_v1*, const char*, std::int32_t fd) {
  auto* offered = static_cast<OfferedText*>(data);
  writeAll(fd, offered->text);
  ::close(fd);
  {
    std::lock_guard lock(*offered->connection->mutex);
    offered->handedOut = true;
  }
  offered->connection->handedOut.notify_all();
  // A reader that left raised SIGPIPE, blocked on this thread: take it back.
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  timespec none{};
  while (sigtimedwait(&pipe, nullptr, &none) == SIGPIPE) {
  }
}

void sourceCancelled(void* data, zwlr_data_control_source_v1* source) {
  auto* offered = static_cast<OfferedText*>(data);
  {
    std::lock_guard lock(*offered->connection->mutex);
    offered->connection->offers.erase(offered);
    if (offered->connection->current == offered) offered->connection->current = nullptr;
  }
  offered->connection->handedOut.notify_all();
  zwlr_data_control_source_v1_destroy(source);
  delete offered;
}

const zwlr_data_control_source_v1_listener kSourceListener = {sourceSend, sourceCancelled};

// Offers of other owners are of no use here.
void deviceDataOffer(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {}
void deviceSelection(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
  if (offer != nullptr) zwlr_data_control_offer_v1_destroy(offer);
}
void deviceFinished(void*, zwlr_data_control_device_v1*) {}
const zwlr_data_control_device_v1_listener kDeviceListener = {deviceDataOffer, deviceSelection, deviceFinished,
                                                              deviceSelection};

void registryGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
  auto* connection = static_cast<ClipboardConnection*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && connection->seat == nullptr) {
    connection->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
    connection->manager = static_cast<zwlr_data_control_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
  }
}
void registryGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistryListener = {registryGlobal, registryGlobalRemove};

}  // namespace

WaylandClipboard::Opened WaylandClipboard::open(const char* displayName) {
  auto connection = std::make_unique<ClipboardConnection>();
  connection->display = wl_display_connect(displayName);
  if (connection->display == nullptr) return {nullptr, "cannot connect to the Wayland display"};
  connection->registry = wl_display_get_registry(connection->display);
  wl_registry_add_listener(connection->registry, &kRegistryListener, connection.get());
  wl_display_roundtrip(connection->display);
  if (connection->manager == nullptr || connection->seat == nullptr) {
    return {nullptr, "the Wayland compositor offers no background clipboard (zwlr_data_control_manager_v1)"};
  }
  connection->device = zwlr_data_control_manager_v1_get_data_device(connection->manager, connection->seat);
  zwlr_data_control_device_v1_add_listener(connection->device, &kDeviceListener, connection.get());
  connection->queue = wl_display_create_queue(connection->display);
  connection->wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  wl_display_roundtrip(connection->display);
  if (connection->wake < 0 || wl_display_get_error(connection->display) != 0) {
    return {nullptr, "the Wayland compositor refused the background clipboard"};
  }
  return {std::unique_ptr<WaylandClipboard>(new WaylandClipboard(std::move(connection))), {}};
}

WaylandClipboard::WaylandClipboard(std::unique_ptr<ClipboardConnection> connection)
    : m_connection(std::move(connection)) {
  m_connection->mutex = &m_mutex;
  m_server = std::jthread([this](std::stop_token stop) { serve(stop); });
}

WaylandClipboard::~WaylandClipboard() {
  m_server.request_stop();
  const std::uint64_t one = 1;
  if (::write(m_connection->wake, &one, sizeof one) < 0) {
    // The thread also ends on its own when the connection closes.
  }
  m_server.join();
}

void WaylandClipboard::serve(std::stop_token stop) {
  // Writing to a paster that left must not end the program.
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
  wl_display* display = m_connection->display;
  while (!stop.stop_requested()) {
    while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
    wl_display_flush(display);
    pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {m_connection->wake, POLLIN, 0}};
    const int ready = poll(fds, 2, -1);
    if (ready > 0 && (fds[0].revents & POLLIN) != 0) {
      if (wl_display_read_events(display) < 0) break;
    } else {
      wl_display_cancel_read(display);
    }
    if ((fds[0].revents & (POLLERR | POLLHUP)) != 0) break;
    if (wl_display_dispatch_pending(display) < 0) break;
  }
}

bool WaylandClipboard::setText(std::string_view text) {
  auto& c = *m_connection;
  if (wl_display_get_error(c.display) != 0) return false;
  auto* offered = new OfferedText{&c, nullptr, std::string(text)};
  {
    std::unique_lock lock(m_mutex);
    // The text of a paste that has not asked for it yet must not be replaced under it.
    if (c.current != nullptr && !c.current->text.empty()) {
      c.handedOut.wait_for(lock, kHandOverGuard, [&] { return c.current == nullptr || c.current->handedOut; });
    }
    c.current = offered;
    offered->source = zwlr_data_control_manager_v1_create_data_source(c.manager);
    zwlr_data_control_source_v1_add_listener(offered->source, &kSourceListener, offered);
    c.offers.insert(offered);
  }
  for (const char* type : kTextTypes) zwlr_data_control_source_v1_offer(offered->source, type);
  zwlr_data_control_device_v1_set_selection(c.device, offered->source);
  // Keys typed next (a paste) must find the text already on the clipboard.
  auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(c.display));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), c.queue);
  wl_callback* done = wl_display_sync(wrapper);
  wl_proxy_wrapper_destroy(wrapper);
  bool answered = false;
  static const wl_callback_listener kDone = {[](void* data, wl_callback*, std::uint32_t) { *static_cast<bool*>(data) = true; }};
  wl_callback_add_listener(done, &kDone, &answered);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRoundTripGuardMs);
  wl_display_flush(c.display);
  while (!answered && std::chrono::steady_clock::now() < deadline) {
    while (wl_display_prepare_read_queue(c.display, c.queue) != 0) wl_display_dispatch_queue_pending(c.display, c.queue);
    if (answered) {
      wl_display_cancel_read(c.display);
      break;
    }
    wl_display_flush(c.display);
    pollfd poller{wl_display_get_fd(c.display), POLLIN, 0};
    if (poll(&poller, 1, 100) > 0) {
      if (wl_display_read_events(c.display) < 0) break;
    } else {
      wl_display_cancel_read(c.display);
    }
    wl_display_dispatch_queue_pending(c.display, c.queue);
  }
  wl_callback_destroy(done);
  return answered && wl_display_get_error(c.display) == 0;
}

}  // namespace orbelin::platform::wayland
