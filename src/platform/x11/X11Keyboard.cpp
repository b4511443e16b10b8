#include "platform/x11/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <span>
#include <vector>

#include "platform/x11/FocusClient.h"

namespace orbelin::platform::x11 {

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

// Writes each run of neighbouring keycodes with one request and waits once until the
// server has them all: the layout's own keycodes between spare ones are never written.
void bindRows(Display* display, std::span<const KeySlots::Row> rows) {
  for (std::size_t first = 0; first < rows.size();) {
    std::size_t end = first + 1;
    while (end < rows.size() && rows[end].keycode == rows[end - 1].keycode + 1) ++end;
    const int columns = static_cast<int>(rows[first].keysyms.size());
    std::vector<KeySym> keysyms;
    for (std::size_t row = first; row < end; ++row) {
      keysyms.insert(keysyms.end(), rows[row].keysyms.begin(), rows[row].keysyms.end());
    }
    XChangeKeyboardMapping(display, rows[first].keycode, columns, keysyms.data(), static_cast<int>(end - first));
    first = end;
  }
  XSync(display, False);
}

KeySlots::Binder binderFor(Display* display) {
  return [display](std::span<const KeySlots::Row> rows) { bindRows(display, rows); };
}

// The keycode of a key that selects the second group while held (the core keymap's
// third and fourth columns); 0 when the keymap has none.
int findGroupSwitch(Display* display, const Keymap& keymap) {
  const int keycode = keymap.keycodeOf(XK_Mode_switch);
  if (keycode == 0) return 0;
  XkbDescPtr xkb = XkbGetMap(display, XkbKeyActionsMask, XkbUseCoreKbd);
  if (xkb == nullptr) return 0;
  bool switches = false;
  if (XkbKeyHasActions(xkb, keycode)) {
    const XkbAction* action = XkbKeyActionEntry(xkb, keycode, 0, 0);
    // Relative +1 or absolute second group: both read 1.
    switches = action->type == XkbSA_SetGroup && XkbSAGroup(&action->group) == 1;
  }
  XkbFreeKeyboard(xkb, 0, True);
  return switches ? keycode : 0;
}

bool isModifierKeysym(Keysym keysym) {
  return (keysym >= XK_Shift_L && keysym <= XK_Hyper_R) || keysym == XK_Num_Lock || keysym == XK_Scroll_Lock ||
         keysym == XK_ISO_Level3_Shift;
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
    : DesktopKeyboard(std::move(pause)),
      m_display(std::move(display)),
      m_idleDisplay(std::move(idleDisplay)),
      m_keymap(readKeymap(m_display.get())),
      m_groupSwitch(findGroupSwitch(m_display.get(), m_keymap)),
      m_layoutKeys(m_keymap),
      m_slots(m_keymap.emptyKeycodes(), KeySlots::Timing{}, m_groupSwitch != 0 ? 4 : 2) {
  // Typing goes on while another client holds a server grab.
  XTestGrabControl(m_display.get(), True);
  // A new layout (setxkbmap, an input method starting with a layout of its own) comes as
  // an XKB event to a client that uses XKB, not always as a core MappingNotify.
  int opcode = 0;
  int errorBase = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  if (XkbQueryExtension(m_display.get(), &opcode, &m_xkbEventBase, &errorBase, &major, &minor)) {
    const unsigned long changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(m_display.get(), XkbUseCoreKbd, changes, changes);
  } else {
    m_xkbEventBase = -1;
  }
  if (m_idleDisplay) m_idleRelease = std::jthread([this](std::stop_token stop) { runIdleRelease(stop); });
}

X11Keyboard::~X11Keyboard() {
  releaseAll();
  if (m_idleRelease.joinable()) {
    m_idleRelease.request_stop();
    m_idleRelease.join();
  }
  m_slots.releaseAll(binder());
  XSync(m_display.get(), False);
}

KeySlots::Binder X11Keyboard::binder() {
  return [this](std::span<const KeySlots::Row> rows) {
    awaitFocusClient(m_display.get(), kClientAnswer, [this](const XEvent& event) { noteEvent(event); });
    bindRows(m_display.get(), rows);
  };
}

void X11Keyboard::noteEvent(const XEvent& event) {
  if (event.type == MappingNotify || (m_xkbEventBase >= 0 && event.type == m_xkbEventBase)) m_mappingSeen = true;
}

void X11Keyboard::refreshKeymap() {
  // Mapping notifications arrive unasked; reading them also keeps the queue from growing.
  while (XPending(m_display.get()) > 0) {
    XEvent event;
    XNextEvent(m_display.get(), &event);
    noteEvent(event);
  }
  if (!m_mappingSeen) return;
  m_mappingSeen = false;
  // Lent keycodes are reached through the slots only, never as keys of the layout.
  m_keymap = m_slots.reconcile([this] { return readKeymap(m_display.get()); }).without(m_slots.keycodes());
  m_layoutKeys = LayoutKeys(m_keymap);
}

bool X11Keyboard::typedByLayout(Keysym keysym) const {
  const auto place = m_keymap.placeOf(keysym);
  return place && (!place->shifted || canShift());
}

bool X11Keyboard::canShift() const { return m_keymap.keycodeOf(XK_Shift_L) != 0; }

void X11Keyboard::fakeKey(int keycode, bool down) {
  XTestFakeKeyEvent(m_display.get(), static_cast<unsigned>(keycode), down ? True : False, CurrentTime);
  m_slots.noteKeyEvent(keycode, down);
  countKeyEvent();
}

int X11Keyboard::keycodeForPress(Keysym keysym, std::uint8_t virtualKey) {
  if (int keycode = m_keymap.keycodeOf(keysym)) return keycode;
  if (int keycode = m_keymap.keycodeOf(fallbackKeysym(keysym))) return keycode;
  // A key of the layout that keyForCharacter reported by its position ("2" on "fr").
  if (int keycode = m_layoutKeys.keycodeOfPositionKey(virtualKey)) return keycode;
  // A modifier on a borrowed keycode would not act as one; other keys may borrow.
  if (isModifierKeysym(keysym)) return 0;
  // A key held down by the engine must not need Shift.
  const int changes = m_slots.mappingChanges();
  const auto key = m_slots.acquire(keysym, binder(), false);
  wakeIdleReleaseAfter(changes);
  return key ? key->keycode : 0;
}

void X11Keyboard::keysymEvent(Keysym keysym, std::uint8_t virtualKey, bool up) {
  refreshKeymap();
  if (up) {
    releaseHeld(keysym);
  } else if (const int keycode = keycodeForPress(keysym, virtualKey)) {
    fakeKey(keycode, true);
    notePressed(keysym, keycode);
  }
  XFlush(m_display.get());
}

void X11Keyboard::releaseHeld(Keysym keysym) {
  if (const auto keycode = takeHeld(keysym)) {
    fakeKey(*keycode, false);
    wakeIdleRelease();
    return;
  }
  // Up without a down from us: release the key anyway, it may be stuck.
  if (int keycode = m_keymap.keycodeOf(keysym)) fakeKey(keycode, false);
}

void X11Keyboard::releaseAll() {
  while (const auto keycode = takeLastHeld()) fakeKey(*keycode, false);
  XFlush(m_display.get());
  wakeIdleRelease();
}

std::optional<DesktopKeyboard::LayoutKey> X11Keyboard::layoutKeyOf(Keysym keysym) {
  refreshKeymap();
  const auto place = m_layoutKeys.placeOf(keysym);
  if (!place) return std::nullopt;
  return LayoutKey{place->virtualKey, place->shifted, place->altGr};
}

std::optional<WindowId> X11Keyboard::focusWindow() {
  Window focus = None;
  int revertTo = 0;
  XGetInputFocus(m_display.get(), &focus, &revertTo);
  if (focus == None || focus == PointerRoot) return std::nullopt;
  return static_cast<WindowId>(focus);
}

void X11Keyboard::tap(int keycode, int level) {
  const int group = (level & 2) != 0 ? m_groupSwitch : 0;
  const int shift = (level & 1) != 0 ? m_keymap.keycodeOf(XK_Shift_L) : 0;
  if (group != 0) fakeKey(group, true);
  if (shift != 0) fakeKey(shift, true);
  fakeKey(keycode, true);
  fakeKey(keycode, false);
  if (shift != 0) fakeKey(shift, false);
  if (group != 0) fakeKey(group, false);
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

void X11Keyboard::typeKeysym(Keysym keysym) {
  refreshKeymap();
  // A key of the keymap types the character without touching the mapping.
  if (typedByLayout(keysym)) {
    const auto place = m_keymap.placeOf(keysym);
    // The whole character must arrive as it is, whatever the Caps Lock state.
    tap(place->keycode, place->shifted != capsLockInverts(place->keycode) ? 1 : 0);
    return;
  }
  const int changes = m_slots.mappingChanges();
  const auto key = m_slots.acquireNext(keysym, binder(), canShift());
  if (key) tap(key->keycode, key->level);
  wakeIdleReleaseAfter(changes);
}

void X11Keyboard::prepareCharacters(std::span<const char32_t> characters) {
  refreshKeymap();
  std::vector<Keysym> ahead;
  for (const auto character : characters) {
    const Keysym keysym = keysymOfCodePoint(character);
    if (keysym != kNoKeysym && !typedByLayout(keysym)) ahead.push_back(keysym);
  }
  m_slots.plan(ahead);
}

void X11Keyboard::recordBegun() {
  XSync(m_display.get(), False);
  refreshKeymap();
}

void X11Keyboard::awaitClients() {
  // Back on before the program has taken the keys, the method would compose the rest.
  // The settle time covers what the program still has on its way to the method after it
  // has answered.
  if (inputMethodHoldsOff()) {
    awaitFocusClient(m_display.get(), kClientAnswer, [this](const XEvent& event) { noteEvent(event); });
  }
}

void X11Keyboard::flush() { XFlush(m_display.get()); }

void X11Keyboard::wakeIdleRelease() {
  {
    std::lock_guard lock(m_wakeMutex);
    m_woken = true;
  }
  m_wake.notify_one();
}

void X11Keyboard::wakeIdleReleaseAfter(int changes) {
  // Use alone only moves the deadlines later, which the thread finds out when it wakes;
  // a new binding may need a deadline where there was none.
  if (m_slots.mappingChanges() != changes) wakeIdleRelease();
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
