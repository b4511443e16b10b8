#include "keyout/KeyPress.h"

#include <initializer_list>

#include "text/Integers.h"

namespace orbelin::keyout {

namespace {

constexpr std::uint8_t kShiftKey = 16;
// VK_RMENU: the right Alt key, AltGr on layouts that have one.
constexpr std::uint8_t kRightAltKey = 0xA5;
// The right Shift key is told apart by its scan code, not by the extended mark.
constexpr std::uint8_t kRightShiftScanCode = 0x36;
constexpr int kMaxVirtualKey = 254;

struct KeyEvent {
  std::uint8_t virtualKey = 0;
  std::uint8_t scanCode = 0;
  std::uint32_t flags = 0;
};

// The keys this call has pressed and not yet released. Whatever is still down when the
// call is left (a pause failed) is released at once, last pressed first, so no Shift or
// Ctrl stays held on the user's keyboard.
class HeldKeys {
 public:
  explicit HeldKeys(platform::Keyboard& keyboard) : m_keyboard(keyboard) {}
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;
  ~HeldKeys() {
    try {
      while (m_count > 0) release();
    } catch (...) {
      // Leaving anyway; the failure already on its way is the one reported.
    }
  }

  void press(const KeyEvent& key) {
    m_keyboard.keyEvent(key.virtualKey, key.scanCode, key.flags);
    m_held[m_count++] = key;
  }
  int count() const { return m_count; }
  void release() {
    const KeyEvent& key = m_held[--m_count];
    m_keyboard.keyEvent(key.virtualKey, key.scanCode, key.flags | platform::kKeyUp);
  }

 private:
  platform::Keyboard& m_keyboard;
  KeyEvent m_held[3];
  int m_count = 0;
};

}  // namespace

void pauseMs(KeyOutput& out, int ms) {
  // A negative setting would be an endless or 49-day sleep on the platform; it waits not at all.
  if (ms > 0) out.keyboard.sleep(ms);
}

void pauseFor(KeyOutput& out, settings::Setting setting) { pauseMs(out, text::toInteger(out.settings.get(setting))); }

namespace {

// Presses the modifiers in order, then key, and releases them all, last pressed first,
// with the KeyDwnWeight pause after every event.
void strike(KeyOutput& out, const KeyEvent& key, std::initializer_list<KeyEvent> modifiers) {
  HeldKeys held(out.keyboard);
  for (const KeyEvent& modifier : modifiers) {
    if (modifier.virtualKey == 0) continue;
    held.press(modifier);
    pauseFor(out, settings::Setting::KeyDwnWeight);
  }
  held.press(key);
  pauseFor(out, settings::Setting::KeyDwnWeight);
  while (held.count() > 0) {
    held.release();
    pauseFor(out, settings::Setting::KeyDwnWeight);
  }
}

}  // namespace

void SendVKey(KeyOutput& out, int virtualKey, int modifier, int modifier2, bool extended) {
  if (virtualKey < 1 || virtualKey > kMaxVirtualKey) return;
  if (modifier < 0 || modifier > kMaxVirtualKey || modifier2 < 0 || modifier2 > kMaxVirtualKey) return;
  platform::Keyboard& keyboard = out.keyboard;
  const auto key = static_cast<std::uint8_t>(virtualKey);
  KeyEvent main{key, keyboard.scanCodeOf(key)};
  std::uint32_t flags = 0;
  if (extended && virtualKey == kShiftKey) {
    main.scanCode = kRightShiftScanCode;
  } else if (extended) {
    flags = platform::kKeyExtended;
  }
  main.flags = flags;
  const auto modifierEvent = [&](int mod) {
    const auto modKey = static_cast<std::uint8_t>(mod);
    return KeyEvent{modKey, mod == 0 ? std::uint8_t{0} : keyboard.scanCodeOf(modKey), flags};
  };
  strike(out, main, {modifierEvent(modifier2), modifierEvent(modifier)});
}

void SendCharKey(KeyOutput& out, std::int32_t code) {
  if (code < 1 || code > kMaxVirtualKey) return;
  const std::int16_t key = out.keyboard.keyForCharacter(static_cast<std::uint8_t>(code));
  if (key <= 255) {
    SendVKey(out, key, 0, 0, false);
    return;
  }
  const int state = key >> 8;
  const bool shift = (state & platform::kShiftState) != 0;
  // Ctrl and Alt together is how a layout reports its AltGr level: such a character is
  // typed with the AltGr key (the right Alt), never as its bare key. Ctrl or Alt alone
  // is ignored.
  if ((state & platform::kAltGrState) != platform::kAltGrState) {
    SendVKey(out, key & 0xFF, shift ? kShiftKey : 0, 0, false);
    return;
  }
  platform::Keyboard& keyboard = out.keyboard;
  const auto virtualKey = static_cast<std::uint8_t>(key & 0xFF);
  const KeyEvent altGr{kRightAltKey, keyboard.scanCodeOf(kRightAltKey), platform::kKeyExtended};
  const KeyEvent shiftKey{shift ? kShiftKey : std::uint8_t{0}, shift ? keyboard.scanCodeOf(kShiftKey) : std::uint8_t{0}};
  strike(out, {virtualKey, keyboard.scanCodeOf(virtualKey)}, {altGr, shiftKey});
}

}  // namespace orbelin::keyout
