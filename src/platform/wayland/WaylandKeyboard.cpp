#include "platform/wayland/WaylandKeyboard.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/common/BindingPlanner.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace orbelin::platform::wayland {

namespace {

// Evdev key numbers are xkb keycodes less 8.
constexpr int kEvdevOffset = 8;
// A compositor whose seat had no keyboard announces ours to its clients, which then ask
// for a keyboard of their own; keys sent before that are lost to them. No event tells
// when they are done, so the first key waits this long after the keyboard appeared.
constexpr auto kNewSeatKeyboardSettle = std::chrono::milliseconds(2000);
// Key events between waits for the compositor: keeps our requests from outrunning it
// when it is slow (the connection's buffers are small).
constexpr int kKeysPerSync = 64;

bool isModifierKeysym(Keysym keysym) {
  return (keysym >= XKB_KEY_Shift_L && keysym <= XKB_KEY_Hyper_R) || keysym == XKB_KEY_Num_Lock ||
         keysym == XKB_KEY_Scroll_Lock;
}

}  // namespace

struct Connection {
  ~Connection() {
    if (keyboard != nullptr) zwp_virtual_keyboard_v1_destroy(keyboard);
    if (manager != nullptr) zwp_virtual_keyboard_manager_v1_destroy(manager);
    if (seat != nullptr) wl_seat_destroy(seat);
    if (registry != nullptr) wl_registry_destroy(registry);
    if (display != nullptr) {
      wl_display_roundtrip(display);
      wl_display_disconnect(display);
    }
  }

  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_seat* seat = nullptr;
  zwp_virtual_keyboard_manager_v1* manager = nullptr;
  zwp_virtual_keyboard_v1* keyboard = nullptr;
  std::uint32_t capabilities = 0;
  std::uint32_t sentDepressed = ~0u;
  std::uint32_t sentLatched = ~0u;
  std::uint32_t sentLocked = ~0u;
  std::uint32_t sentGroup = ~0u;
};

namespace {

void seatCapabilities(void* data, wl_seat*, std::uint32_t capabilities) {
  static_cast<Connection*>(data)->capabilities = capabilities;
}
void seatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener = {seatCapabilities, seatName};

void registryGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
  auto* connection = static_cast<Connection*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && connection->seat == nullptr) {
    connection->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 2));
    wl_seat_add_listener(connection->seat, &kSeatListener, connection);
  } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    connection->manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  }
}
void registryGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistryListener = {registryGlobal, registryGlobalRemove};

}  // namespace

WaylandKeyboard::Opened WaylandKeyboard::open(const char* displayName, Pause pause) {
  auto connection = std::make_unique<Connection>();
  connection->display = wl_display_connect(displayName);
  if (connection->display == nullptr) {
    const char* name = displayName != nullptr ? displayName : std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr) return {nullptr, Failure::NoDisplay, "no Wayland display: WAYLAND_DISPLAY is not set"};
    return {nullptr, Failure::NoDisplay, std::string("cannot connect to the Wayland display \"") + name + "\""};
  }
  connection->registry = wl_display_get_registry(connection->display);
  wl_registry_add_listener(connection->registry, &kRegistryListener, connection.get());
  // The first round trip lists the globals, the second brings the seat's capabilities.
  wl_display_roundtrip(connection->display);
  wl_display_roundtrip(connection->display);
  if (connection->manager == nullptr || connection->seat == nullptr) {
    return {nullptr, Failure::NoVirtualKeyboard,
            "the Wayland compositor offers no virtual keyboard (zwp_virtual_keyboard_manager_v1)"};
  }
  std::string reason;
  auto keymap = BindingKeymap::create(reason);
  if (!keymap) return {nullptr, Failure::NoKeymap, reason};
  std::unique_ptr<WaylandKeyboard> keyboard(new WaylandKeyboard(std::move(connection), std::move(keymap), std::move(pause)));
  if (!keyboard->connected()) {
    return {nullptr, Failure::NoVirtualKeyboard, "the Wayland compositor refused a virtual keyboard"};
  }
  return {std::move(keyboard), Failure::None, {}};
}

WaylandKeyboard::WaylandKeyboard(std::unique_ptr<Connection> connection, std::unique_ptr<BindingKeymap> keymap,
                                 Pause pause)
    : DesktopKeyboard(std::move(pause)),
      m_connection(std::move(connection)),
      m_keymap(std::move(keymap)),
      m_start(std::chrono::steady_clock::now()),
      m_firstKeyAt(m_start) {
  const bool seatHadKeyboard = (m_connection->capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  m_connection->keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(m_connection->manager, m_connection->seat);
  upload();
  wl_display_roundtrip(m_connection->display);
  if (!seatHadKeyboard) m_firstKeyAt = std::chrono::steady_clock::now() + kNewSeatKeyboardSettle;
}

WaylandKeyboard::~WaylandKeyboard() {
  releaseAll();
  if (m_state != nullptr) xkb_state_unref(m_state);
}

bool WaylandKeyboard::connected() const { return wl_display_get_error(m_connection->display) == 0; }

bool WaylandKeyboard::upload() {
  const std::string& text = m_keymap->text();
  const int fd = memfd_create("orbelin-keymap", MFD_CLOEXEC);
  if (fd < 0) return false;
  // The compositor maps size bytes, the text with its terminating NUL.
  const std::size_t size = text.size() + 1;
  bool written = true;
  for (std::size_t done = 0; done < size && written;) {
    const ssize_t n = ::write(fd, text.c_str() + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    if (written) done += static_cast<std::size_t>(n);
  }
  if (written) {
    zwp_virtual_keyboard_v1_keymap(m_connection->keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<std::uint32_t>(size));
  }
  ::close(fd);
  if (!written) return false;
  ++m_uploads;
  // The state follows the new keymap; modifiers and Caps Lock carry over, since the
  // layout's keys keep their keycodes. The compositor resets its state with the keymap.
  xkb_state* state = xkb_state_new(m_keymap->keymap());
  if (m_state != nullptr) {
    xkb_state_update_mask(state, 0, 0, xkb_state_serialize_mods(m_state, XKB_STATE_MODS_LOCKED), 0, 0,
                          xkb_state_serialize_layout(m_state, XKB_STATE_LAYOUT_LOCKED));
    xkb_state_unref(m_state);
  }
  m_state = state;
  for (const auto& held : heldKeys()) xkb_state_update_key(m_state, static_cast<xkb_keycode_t>(held.keycode), XKB_KEY_DOWN);
  m_connection->sentDepressed = ~0u;
  sendModifiers();
  return true;
}

void WaylandKeyboard::sendModifiers(std::uint32_t depressed, std::uint32_t locked) {
  auto& c = *m_connection;
  const std::uint32_t group = xkb_state_serialize_layout(m_state, XKB_STATE_LAYOUT_EFFECTIVE);
  if (c.sentDepressed == depressed && c.sentLatched == 0 && c.sentLocked == locked && c.sentGroup == group) return;
  zwp_virtual_keyboard_v1_modifiers(c.keyboard, depressed, 0, locked, group);
  c.sentDepressed = depressed;
  c.sentLatched = 0;
  c.sentLocked = locked;
  c.sentGroup = group;
}

void WaylandKeyboard::sendModifiers() {
  sendModifiers(xkb_state_serialize_mods(m_state, XKB_STATE_MODS_DEPRESSED),
                xkb_state_serialize_mods(m_state, XKB_STATE_MODS_LOCKED));
}

void WaylandKeyboard::sendKey(int keycode, bool down) {
  if (keycode <= 0) return;
  countKeyEvent();
  const auto now = std::chrono::steady_clock::now();
  // Only the first key of a keyboard new to the seat waits.
  if (now < m_firstKeyAt) std::this_thread::sleep_until(m_firstKeyAt);
  m_firstKeyAt = m_start;
  const auto time = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start);
  zwp_virtual_keyboard_v1_key(m_connection->keyboard, static_cast<std::uint32_t>(time.count()),
                              static_cast<std::uint32_t>(keycode - kEvdevOffset),
                              down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
  // The compositor does not track a virtual keyboard's modifiers: they are sent along.
  xkb_state_update_key(m_state, static_cast<xkb_keycode_t>(keycode), down ? XKB_KEY_DOWN : XKB_KEY_UP);
  sendModifiers();
  if (++m_keysSinceSync >= kKeysPerSync) {
    m_keysSinceSync = 0;
    wl_display_roundtrip(m_connection->display);
  }
}

void WaylandKeyboard::flush() {
  wl_display* display = m_connection->display;
  while (wl_display_flush(display) < 0 && errno == EAGAIN) {
    pollfd poller{wl_display_get_fd(display), POLLOUT, 0};
    poll(&poller, 1, 1000);
  }
}

void WaylandKeyboard::tap(int keycode, bool shifted) {
  // The character must arrive as it is: whatever the engine holds down and whatever the
  // Caps Lock state, only Shift counts while it is typed.
  const xkb_mod_index_t shift = xkb_keymap_mod_get_index(m_keymap->keymap(), XKB_MOD_NAME_SHIFT);
  sendModifiers(shifted && shift != XKB_MOD_INVALID ? (1u << shift) : 0u, 0);
  sendKey(keycode, true);
  sendKey(keycode, false);
  sendModifiers();
  flush();
}

bool WaylandKeyboard::bindForTyping(Keysym keysym) {
  if (m_keymap->boundKeycodeOf(keysym) != 0) return true;
  const auto wanted = static_cast<std::int32_t>(keysym);
  // The characters ahead from this one on, as prepared for the record; without a plan
  // (or off it) this character alone.
  std::vector<std::int32_t> alone{wanted};
  std::span<const std::int32_t> ahead = alone;
  std::size_t from = 0;
  const auto found = std::find(m_ahead.begin() + static_cast<std::ptrdiff_t>(std::min(m_aheadPosition, m_ahead.size())),
                               m_ahead.end(), wanted);
  if (found != m_ahead.end()) {
    ahead = m_ahead;
    from = static_cast<std::size_t>(found - m_ahead.begin());
  }
  const auto stretches = planBindingStretches(ahead.subspan(from), m_keymap->capacity());
  if (stretches.empty()) return false;
  const auto& needed = stretches.front().characters;
  std::vector<std::int32_t> bound;
  for (const auto b : m_keymap->bound()) bound.push_back(static_cast<std::int32_t>(b));
  std::vector<std::int32_t> next = needed;
  for (const auto b : bound) {
    if (std::find(needed.begin(), needed.end(), b) == needed.end()) next.push_back(b);
  }
  if (next.size() > m_keymap->capacity()) {
    const auto evicted = chooseEvictions(bound, needed, ahead, from, next.size() - m_keymap->capacity());
    std::erase_if(next, [&](std::int32_t c) { return std::find(evicted.begin(), evicted.end(), c) != evicted.end(); });
  }
  std::vector<Keysym> keysyms(next.begin(), next.end());
  return m_keymap->bind(keysyms) && upload() && m_keymap->boundKeycodeOf(keysym) != 0;
}

void WaylandKeyboard::prepareCharacters(std::span<const char32_t> characters) {
  m_ahead.clear();
  m_aheadPosition = 0;
  for (const auto character : characters) {
    const Keysym keysym = keysyms::keysymOfCodePoint(character);
    if (keysym == keysyms::kNoKeysym || m_keymap->layout().placeOf(keysym)) continue;
    m_ahead.push_back(static_cast<std::int32_t>(keysym));
  }
}

void WaylandKeyboard::keysymEvent(Keysym keysym, std::uint8_t /*virtualKey*/, bool up) {
  if (up) {
    releaseHeld(keysym);
    flush();
    return;
  }
  const auto& layout = m_keymap->layout();
  int keycode = layout.keycodeOf(keysym);
  if (keycode == 0) keycode = layout.keycodeOf(keysyms::fallbackKeysym(keysym));
  // A modifier on a bound keycode would not act as one; other keys may be bound.
  if (keycode == 0 && !isModifierKeysym(keysym) && bindForTyping(keysym)) keycode = m_keymap->boundKeycodeOf(keysym);
  if (keycode == 0) return;
  sendKey(keycode, true);
  notePressed(keysym, keycode);
  flush();
}

void WaylandKeyboard::releaseHeld(Keysym keysym) {
  if (const auto keycode = takeHeld(keysym)) {
    sendKey(*keycode, false);
    return;
  }
  // Up without a down from us: release the key anyway, it may be stuck.
  if (const int keycode = m_keymap->layout().keycodeOf(keysym)) sendKey(keycode, false);
}

void WaylandKeyboard::releaseAll() {
  while (const auto keycode = takeLastHeld()) sendKey(*keycode, false);
  wl_display_roundtrip(m_connection->display);
}

std::optional<DesktopKeyboard::LayoutKey> WaylandKeyboard::layoutKeyOf(Keysym keysym) {
  const auto place = m_keymap->layout().virtualKeyPlaceOf(keysym);
  if (!place) return std::nullopt;
  return LayoutKey{place->second, place->first.shifted};
}

std::optional<WindowId> WaylandKeyboard::focusWindow() {
  if (!connected()) return std::nullopt;
  return WindowId{1};
}

void WaylandKeyboard::typeKeysym(Keysym keysym) {
  if (auto place = m_keymap->layout().placeOf(keysym)) {
    tap(place->keycode, place->shifted);
    return;
  }
  const auto position = std::find(m_ahead.begin() + static_cast<std::ptrdiff_t>(std::min(m_aheadPosition, m_ahead.size())),
                                  m_ahead.end(), static_cast<std::int32_t>(keysym));
  if (!bindForTyping(keysym)) return;
  if (position != m_ahead.end()) m_aheadPosition = static_cast<std::size_t>(position - m_ahead.begin()) + 1;
  tap(m_keymap->boundKeycodeOf(keysym), false);
}

void WaylandKeyboard::awaitClients() { wl_display_roundtrip(m_connection->display); }

}  // namespace orbelin::platform::wayland
