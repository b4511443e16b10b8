#include "platform/desktopkeyboard/DesktopKeyboard.h"

#include <algorithm>
#include <chrono>
#include <ostream>
#include <thread>

#include "codec/Cp932.h"
#include "platform/common/KeyboardLines.h"

namespace orbelin::platform {

void DesktopKeyboard::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
  if (m_trace != nullptr) *m_trace << keyEventLine(virtualKey, scanCode, flags) << '\n';
  const Keysym keysym = keysyms::keysymOfVirtualKey(virtualKey, scanCode, flags);
  if (keysym == keysyms::kNoKeysym) return;
  keysymEvent(keysym, virtualKey, (flags & kKeyUp) != 0);
}

std::int16_t DesktopKeyboard::keyForCharacter(std::uint8_t character) {
  if (auto key = keysyms::controlCharacterKey(character)) return *key;
  const auto key = layoutKeyOf(keysyms::keysymOfCodePoint(codec::decodeCode(character)));
  if (!key) return kNoKey;
  return static_cast<std::int16_t>(key->virtualKey | (key->shifted ? kShiftState << 8 : 0) | (key->altGr ? kAltGrState << 8 : 0));
}

std::uint8_t DesktopKeyboard::scanCodeOf(std::uint8_t virtualKey) { return keysyms::scanCodeOfVirtualKey(virtualKey); }

void DesktopKeyboard::postCharacter(WindowId window, char32_t character) {
  if (m_trace != nullptr) *m_trace << postedCharacterLine(character) << '\n';
  if (window == 0) return;
  const Keysym keysym = keysyms::keysymOfCodePoint(character);
  if (keysym == keysyms::kNoKeysym) return;
  typeKeysym(keysym);
}

void DesktopKeyboard::sleep(int ms) {
  flush();
  if (ms <= 0) return;
  if (m_trace != nullptr) *m_trace << pauseLine(ms) << '\n';
  if (m_pause) {
    m_pause(ms);
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

// The method is switched off rather than typed around: with it off every key, Return
// and Tab included, reaches the program as it does without a method, in every transfer
// mode. Switching off ends a composition the user left open (fcitx5 with Mozc drops it,
// ibus commits or drops it); the record arrives whole after it.
void DesktopKeyboard::beginRecord() {
  m_recordKeyEvents = 0;
  m_inputMethod.suspend();
  recordBegun();
}

void DesktopKeyboard::endRecord() {
  flush();
  awaitClients();
  m_inputMethod.restoreAfter(inputmethod::InputMethodSwitch::settleAfter(m_recordKeyEvents));
}

void DesktopKeyboard::notePressed(Keysym keysym, int keycode) {
  const bool held = std::any_of(m_held.begin(), m_held.end(), [&](const HeldKey& k) { return k.keycode == keycode; });
  if (!held) m_held.push_back({keysym, keycode});
}

std::optional<int> DesktopKeyboard::takeHeld(Keysym keysym) {
  auto it = std::find_if(m_held.rbegin(), m_held.rend(), [&](const HeldKey& k) { return k.keysym == keysym; });
  if (it == m_held.rend()) return std::nullopt;
  const int keycode = it->keycode;
  m_held.erase(std::next(it).base());
  return keycode;
}

std::optional<int> DesktopKeyboard::takeLastHeld() {
  if (m_held.empty()) return std::nullopt;
  const int keycode = m_held.back().keycode;
  m_held.pop_back();
  return keycode;
}

}  // namespace orbelin::platform
