#include "keyout/DOSKeySendData.h"

#include <exception>
#include <string>

#include "codec/Cp932.h"
#include "text/Integers.h"
#include "keyout/KeyPress.h"
#include "keyout/KeyScanner.h"
#include "keyout/RecordScope.h"

namespace orbelin::keyout {

namespace {

using settings::Setting;

/// The run-time's description when the clipboard cannot be opened.
constexpr const char* kClipboardUnavailable = "クリップボードを開けません。";

constexpr int kSpaceKey = 32;
constexpr int kEKey = 69;
constexpr int kVKey = 86;
constexpr int kCtrlKey = 17;
constexpr int kAltKey = 18;

// The text collected since the last paste, as code page 932 bytes.
class PasteBuffer {
 public:
  PasteBuffer(std::int16_t mode, KeyOutput& out) : m_mode(mode), m_out(out) {}

  void append(std::string_view bytes) { m_bytes += bytes; }
  /// Puts the collected text on the clipboard, pastes it and empties the clipboard.
  void paste();

 private:
  void setClipboard(std::string_view text);
  void pressPasteKeys();

  std::int16_t m_mode;
  KeyOutput& m_out;
  std::string m_bytes;
};

void PasteBuffer::setClipboard(std::string_view text) {
  if (!m_out.clipboard.setText(text)) throw report::RuntimeFailure(kClipboardUnavailable);
}

void PasteBuffer::pressPasteKeys() {
  if (m_mode == 1) {
    SendVKey(m_out, kSpaceKey, kAltKey, 0, false);
    SendCharKey(m_out, 'e');
    SendCharKey(m_out, 'p');
  } else if (m_mode == 2) {
    pauseFor(m_out, Setting::KeyWeight);
    SendVKey(m_out, kEKey, kAltKey, 0, false);
    SendCharKey(m_out, 'p');
    pauseFor(m_out, Setting::KeyWeight);
  } else {
    pauseFor(m_out, Setting::KeyWeight);
    SendVKey(m_out, kVKey, kCtrlKey, 0, false);
    pauseFor(m_out, Setting::KeyWeight);
  }
}

void PasteBuffer::paste() {
  if (m_bytes.empty()) return;
  setClipboard(codec::fromCp932(m_bytes));
  pressPasteKeys();
  pauseMs(m_out, kFixedPauseMs);
  // The user's earlier clipboard content is not restored: it holds an empty text.
  setClipboard("");
  pauseMs(m_out, kFixedPauseMs);
  m_bytes.clear();
}

void handleItem(const KeyItem& item, PasteBuffer& buffer, KeyOutput& out) {
  if (item.kind == KeyItemKind::Character) {
    buffer.append(item.bytes);
    return;
  }
  // Everything else ends the current run of text.
  buffer.paste();
  switch (item.kind) {
    case KeyItemKind::Control:
      pauseFor(out, Setting::KeyWeight);
      SendCharKey(out, item.code);
      pauseFor(out, Setting::KeyWeight);
      break;
    case KeyItemKind::Key:
      pauseFor(out, Setting::KeyWeight);
      SendVKey(out, item.action.virtualKey, 0, 0, item.action.extended);
      pauseMs(out, kFixedPauseMs);
      pauseFor(out, Setting::KeyWeight);
      break;
    case KeyItemKind::Brace:
    case KeyItemKind::OpenBrace:
      buffer.append(item.bytes);
      break;
    case KeyItemKind::Character:
    case KeyItemKind::Expansion:
      break;
  }
}

}  // namespace

bool DOSKeySendData(std::string_view keyString, bool interpretTokens, std::int16_t pasteMode, KeyOutput& out) {
  if (keyString.empty()) return true;
  try {
    const RecordScope record(out);
    KeyScanner scanner(keyString, interpretTokens, out.clock);
    PasteBuffer buffer(pasteMode, out);
    while (!scanner.atEnd()) handleItem(scanner.next(), buffer, out);
    buffer.paste();
    return true;
  } catch (const std::exception& failure) {
    out.reporter.report("DOSKeySendData", failure);
    return false;
  }
}

}  // namespace orbelin::keyout
