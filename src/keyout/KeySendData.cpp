#include "keyout/KeySendData.h"

#include <exception>
#include <vector>

#include "codec/Cp932.h"
#include "keyout/KeyPress.h"
#include "keyout/KeyScanner.h"
#include "keyout/RecordScope.h"

namespace orbelin::keyout {

namespace {

using settings::Setting;

// The keyboard takes characters; the scanner reads code page 932 bytes.
char32_t characterOf(const KeyItem& item) { return codec::decodeCharacter(item.bytes); }

void postCharacter(const KeyItem& item, bool first, platform::WindowId focus, KeyOutput& out) {
  pauseFor(out, Setting::KeyDwnWeight);
  if (first) pauseFor(out, Setting::KeyWeight);
  out.keyboard.postCharacter(focus, characterOf(item));
  if (first) pauseFor(out, Setting::KeyWeight);
  pauseFor(out, Setting::KeyDwnWeight);
}

// The first-character pauses go to the character read when as many bytes are left as the
// string had at the start: normally its first character, but also the one that an
// expansion of {Date} or {Time} brings back to that count.
void typeItem(const KeyItem& item, std::size_t initial, platform::WindowId focus, KeyOutput& out) {
  switch (item.kind) {
    case KeyItemKind::Character:
      postCharacter(item, item.remainingBefore == initial, focus, out);
      break;
    case KeyItemKind::Control:
      pauseFor(out, Setting::KeyWeight);
      SendCharKey(out, item.code);
      pauseMs(out, kFixedPauseMs);
      pauseFor(out, Setting::KeyWeight);
      break;
    case KeyItemKind::Key:
      pauseFor(out, Setting::KeyWeight);
      SendVKey(out, item.action.virtualKey, item.action.modifier, item.action.modifier2, item.action.extended);
      pauseFor(out, Setting::KeyWeight);
      break;
    case KeyItemKind::Brace:
    case KeyItemKind::OpenBrace:
      SendCharKey(out, item.code);
      break;
    case KeyItemKind::Expansion:
      break;
  }
}

// Every character the record will post, read ahead with a scanner of its own so that the
// keyboard can plan its bindings once per record instead of once per character.
std::vector<char32_t> charactersAhead(std::string_view keyString, bool interpretTokens, platform::Clock& clock) {
  std::vector<char32_t> characters;
  KeyScanner scanner(keyString, interpretTokens, clock);
  while (!scanner.atEnd()) {
    const auto item = scanner.next();
    if (item.kind == KeyItemKind::Character) characters.push_back(characterOf(item));
  }
  return characters;
}

}  // namespace

bool KeySendData(std::string_view keyString, bool interpretTokens, KeyOutput& out) {
  if (keyString.empty()) return true;
  try {
    const RecordScope record(out);
    out.keyboard.prepareCharacters(charactersAhead(keyString, interpretTokens, out.clock));
    KeyScanner scanner(keyString, interpretTokens, out.clock);
    while (!scanner.atEnd()) {
      // The focus is looked up for every step: the user may switch windows meanwhile.
      const auto focus = out.keyboard.focusWindow();
      if (!focus) return true;
      typeItem(scanner.next(), scanner.initialLength(), *focus, out);
    }
    return true;
  } catch (const std::exception& failure) {
    if (out.mainWindow != nullptr) out.mainWindow->showNormalAndFocus();
    out.reporter.report("KeySendData", failure);
    return false;
  }
}

}  // namespace orbelin::keyout
