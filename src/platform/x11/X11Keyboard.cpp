#include "platform/x11/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <ostream>

#include "convert/codec/Cp932.h"

namespace orbelin::platform::x11 {

namespace {

constexpr std::int16_t kNoKey = -1;
constexpr std::int16_t kShiftState = 0x100;

}  // namespace

void DisplayCloser::operator()(::_XDisplay* display) const {
  if (display != nullptr) XCloseDisplay(display);
}

Keymap readKeymap(Display* display) {
  int minKeycode = 0;
  int maxKeycode = 0;
  XDisplayKeycodes(display, &minKeycode, &maxKeycode);
  const int count = maxKeycode - minKeycode + 1;
  int columns = 0;
  KeySym* keysyms = XGetKeyboardMapping(display, static_cast<KeyCode>(minKeycode), count, &columns);
  std::vector<Keysym> table;
  if (keysyms != nullptr) {
    table.assign(keysyms, keysyms + static_cast<std::ptrdiff_t>(count) * columns);
    XFree(keysyms);
  }
  return Keymap(minKeycode, columns, std::move(table));
}

namespace {

// Binds the two keysyms to keycode, typed alone and with Shift, and waits until the
// server has the new mapping.
void bindKeysyms(Display* display, int keycode, Keysym unshifted, Keysym shifted) {
  KeySym keysyms[2] = {unshifted, shifted};
  XChangeKeyboardMapping(display, keycode, 2, keysyms, 1);
  XSync(display, False);
}

KeySlots::Binder binderFor(Display* display) {
  return [display](int keycode, Keysym unshifted, Keysym shifted) { bindKeysyms(display, keycode, unshifted, shifted); };
}

char32_t codePointOfCode(std::int32_t code) {
  const unsigned value = (code >= 0 && code <= 0xFF) ? static_cast<unsigned>(code) : static_cast<unsigned>(code) & 0xFFFF;
  return codec::decodeCode(value);
}

bool isModifierKeysym(Keysym keysym) {
  return (keysym >= XK_Shift_L && keysym <= XK_Hyper_R) || keysym == XK_Num_Lock || keysym == XK_Scroll_Lock;
}

}  // namespace

X11Keyboard::Opened X11Keyboard::open(const char* displayName, Pause pause) {
  DisplayPtr display(XOpenDisplay(displayName));
  if (!display) {
    const std::string name = XDisplayName(displayName);
    if (name.empty()) return {nullptr, "no X display: DISPLAY is not set"};
    return {nullptr, "cannot connect to the X display \"" + name + "\""};
  }
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) {
    return {nullptr, "the X server has no XTEST extension for synthetic key events"};
  }
  // A second connection lets the idle release run on its own thread without locking Xlib.
  DisplayPtr idleDisplay(XOpenDisplay(DisplayString(display.get())));
  return {std::unique_ptr<X11Keyboard>(new X11Keyboard(std::move(display), std::move(idleDisplay), std::move(pause))),
          {}};
}

X11Keyboard::X11Keyboard(DisplayPtr display, DisplayPtr idleDisplay, Pause pause)
    : m_display(std::move(display)),
      m_idleDisplay(std::move(idleDisplay)),
      m_pause(std::move(pause)),
      m_keymap(readKeymap(m_display.get())),
      m_slots(m_keymap.emptyKeycodes()) {
  // Typing goes on while another client holds a server grab.
  XTestGrabControl(m_display.get(), True);
  if (m_idleDisplay) m_idleRelease = std::jthread([this](std::stop_token stop) { runIdleRelease(stop); });
}

X11Keyboard::~X11Keyboard() {
  releaseAll();
  if (m_idleRelease.joinable()) {
    m_idleRelease.request_stop();
    m_idleRelease.join();
  }
  m_slots.releaseAll(binderFor(m_display.get()));
  XSync(m_display.get(), False);
}

void X11Keyboard::refreshKeymap() {
  bool changed = false;
  // Mapping notifications arrive unasked; reading them also keeps the queue from growing.
  while (XPending(m_display.get()) > 0) {
    XEvent event;
    XNextEvent(m_display.get(), &event);
    if (event.type == MappingNotify) changed = true;
  }
  if (changed) m_keymap = m_slots.reconcile([this] { return readKeymap(m_display.get()); });
}

void X11Keyboard::fakeKey(int keycode, bool down) {
  XTestFakeKeyEvent(m_display.get(), static_cast<unsigned>(keycode), down ? True : False, CurrentTime);
  m_slots.noteKeyEvent(keycode, down);
}

int X11Keyboard::keycodeForPress(Keysym keysym) {
  if (int keycode = m_keymap.keycodeOf(keysym)) return keycode;
  if (int keycode = m_keymap.keycodeOf(fallbackKeysym(keysym))) return keycode;
  // A modifier on a borrowed keycode would not act as one; other keys may borrow.
  if (isModifierKeysym(keysym)) return 0;
  // A key held down by the engine must not need Shift.
  const auto key = m_slots.acquire(keysym, binderFor(m_display.get()), false);
  wakeIdleRelease();
  return key ? key->keycode : 0;
}

void X11Keyboard::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
  if (m_trace != nullptr) *m_trace << "key " << int(virtualKey) << ' ' << int(scanCode) << ' ' << flags << '\n';
  const Keysym keysym = keysymOfVirtualKey(virtualKey, scanCode, flags);
  if (keysym == kNoKeysym) return;
  refreshKeymap();
  if ((flags & kKeyUp) != 0) {
    releaseHeld(keysym);
  } else if (const int keycode = keycodeForPress(keysym)) {
    fakeKey(keycode, true);
    const bool held = std::any_of(m_held.begin(), m_held.end(), [&](const HeldKey& k) { return k.keycode == keycode; });
    if (!held) m_held.push_back({keysym, keycode});
  }
  XFlush(m_display.get());
}

void X11Keyboard::releaseHeld(Keysym keysym) {
  auto it = std::find_if(m_held.rbegin(), m_held.rend(), [&](const HeldKey& k) { return k.keysym == keysym; });
  if (it != m_held.rend()) {
    fakeKey(it->keycode, false);
    m_held.erase(std::next(it).base());
    wakeIdleRelease();
    return;
  }
  // Up without a down from us: release the key anyway, it may be stuck.
  if (int keycode = m_keymap.keycodeOf(keysym)) fakeKey(keycode, false);
}

void X11Keyboard::releaseAll() {
  while (!m_held.empty()) {
    fakeKey(m_held.back().keycode, false);
    m_held.pop_back();
  }
  XFlush(m_display.get());
  wakeIdleRelease();
}

std::int16_t X11Keyboard::keyForCharacter(std::uint8_t character) {
  if (auto key = controlCharacterKey(character)) return *key;
  refreshKeymap();
  const Keysym keysym = keysymOfCodePoint(codePointOfCode(character));
  const auto place = m_keymap.virtualKeyPlaceOf(keysym);
  if (!place) return kNoKey;
  return static_cast<std::int16_t>(place->second | (place->first.shifted ? kShiftState : 0));
}

std::uint8_t X11Keyboard::scanCodeOf(std::uint8_t virtualKey) { return scanCodeOfVirtualKey(virtualKey); }

std::optional<WindowId> X11Keyboard::focusWindow() {
  Window focus = None;
  int revertTo = 0;
  XGetInputFocus(m_display.get(), &focus, &revertTo);
  if (focus == None || focus == PointerRoot) return std::nullopt;
  return static_cast<WindowId>(focus);
}

void X11Keyboard::tap(int keycode, bool shifted) {
  const int shift = shifted ? m_keymap.keycodeOf(XK_Shift_L) : 0;
  if (shift != 0) fakeKey(shift, true);
  fakeKey(keycode, true);
  fakeKey(keycode, false);
  if (shift != 0) fakeKey(shift, false);
  XFlush(m_display.get());
}

bool X11Keyboard::capsLockInverts(int keycode) {
  KeySym lower = NoSymbol;
  KeySym upper = NoSymbol;
  XConvertCase(m_keymap.keysym(keycode, 0), &lower, &upper);
  if (lower == upper || m_keymap.keysym(keycode, 1) != upper) return false;
  XkbStateRec state{};
  if (XkbGetState(m_display.get(), XkbUseCoreKbd, &state) != Success) return false;
  return (state.locked_mods & LockMask) != 0;
}

void X11Keyboard::postCharacter(WindowId window, std::int32_t code) {
  if (m_trace != nullptr) *m_trace << "ime " << code << '\n';
  if (window == 0) return;
  const Keysym keysym = keysymOfCodePoint(codePointOfCode(code));
  if (keysym == kNoKeysym) return;
  refreshKeymap();
  // A key of the keymap types the character without touching the mapping.
  if (auto place = m_keymap.placeOf(keysym); place && (!place->shifted || m_keymap.keycodeOf(XK_Shift_L) != 0)) {
    // The whole character must arrive as it is, whatever the Caps Lock state.
    tap(place->keycode, place->shifted != capsLockInverts(place->keycode));
    return;
  }
  const bool canShift = m_keymap.keycodeOf(XK_Shift_L) != 0;
  const auto key = m_slots.acquire(keysym, binderFor(m_display.get()), canShift);
  if (key) tap(key->keycode, key->shifted);
  wakeIdleRelease();
}

void X11Keyboard::sleep(int ms) {
  XFlush(m_display.get());
  if (ms <= 0) return;
  if (m_trace != nullptr) *m_trace << "sleep " << ms << '\n';
  if (m_pause) {
    m_pause(ms);
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

void X11Keyboard::wakeIdleRelease() {
  {
    std::lock_guard lock(m_wakeMutex);
    m_woken = true;
  }
  m_wake.notify_one();
}

void X11Keyboard::runIdleRelease(std::stop_token stop) {
  const KeySlots::Binder bind = binderFor(m_idleDisplay.get());
  std::unique_lock lock(m_wakeMutex);
  while (!stop.stop_requested()) {
    const auto deadline = m_slots.idleDeadline();
    const auto woken = [this] { return m_woken; };
    const bool wasWoken = deadline ? m_wake.wait_until(lock, stop, *deadline, woken) : m_wake.wait(lock, stop, woken);
    if (stop.stop_requested()) break;
    if (wasWoken) {
      m_woken = false;
      continue;
    }
    lock.unlock();
    m_slots.releaseIdle(bind);
    lock.lock();
  }
}

}  // namespace orbelin::platform::x11
