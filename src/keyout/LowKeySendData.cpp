#include "keyout/LowKeySendData.h"

#include <exception>

#include "keyout/KeyPress.h"
#include "keyout/KeyScanner.h"
#include "keyout/RecordScope.h"

namespace orbelin::keyout {

namespace {

using settings::Setting;

void typeItem(const KeyItem& item, KeyOutput& out) {
  switch (item.kind) {
    case KeyItemKind::Character:
    case KeyItemKind::Brace:
    case KeyItemKind::OpenBrace:
      SendCharKey(out, item.code);
      break;
    case KeyItemKind::Control:
      pauseFor(out, Setting::KeyWeight);
      SendCharKey(out, item.code);
      pauseFor(out, Setting::KeyWeight);
      break;
    case KeyItemKind::Key:
      // The modifiers of {C+x}, {A+x} and {S+x} are not pressed in this mode.
      pauseFor(out, Setting::KeyWeight);
      SendVKey(out, item.action.virtualKey, 0, 0, item.action.extended);
      pauseFor(out, Setting::KeyWeight);
      break;
    case KeyItemKind::Expansion:
      break;
  }
}

}  // namespace

bool LowKeySendData(std::string_view keyString, bool interpretTokens, KeyOutput& out) {
  if (keyString.empty()) return true;
  try {
    const RecordScope record(out);
    KeyScanner scanner(keyString, interpretTokens, out.clock);
    while (!scanner.atEnd()) typeItem(scanner.next(), out);
    return true;
  } catch (const std::exception& failure) {
    out.reporter.report("LowKeySendData", failure);
    return false;
  }
}

}  // namespace orbelin::keyout
