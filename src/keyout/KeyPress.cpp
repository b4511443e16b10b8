#include "keyout/KeyPress.h"

#include "convert/text/Integers.h"

namespace orbelin::keyout {

namespace {

constexpr int kShiftKey = 16;
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
  HeldKeys held(keyboard);
  for (int mod : {modifier2, modifier}) {
    if (mod == 0) continue;
    const auto modKey = static_cast<std::uint8_t>(mod);
    held.press({modKey, keyboard.scanCodeOf(modKey), flags});
    pauseFor(out, settings::Setting::KeyDwnWeight);
  }
  held.press(main);
  pauseFor(out, settings::Setting::KeyDwnWeight);
  const int pressed = (modifier2 != 0 ? 1 : 0) + (modifier != 0 ? 1 : 0) + 1;
  for (int i = 0; i < pressed; ++i) {
    held.release();
    pauseFor(out, settings::Setting::KeyDwnWeight);
  }
}

void SendCharKey(KeyOutput& out, std::int32_t code) {
  if (code < 1 || code > kMaxVirtualKey) return;
  const std::int16_t key = out.keyboard.keyForCharacter(static_cast<std::uint8_t>(code));
  if (key <= 255) {
    SendVKey(out, key, 0, 0, false);
    return;
  }
  // Only the Shift bit of the shift state is honoured; Ctrl and Alt are ignored.
  const bool shift = ((key >> 8) & 1) != 0;
  SendVKey(out, key & 0xFF, shift ? kShiftKey : 0, 0, false);
}

}  // namespace orbelin::keyout
