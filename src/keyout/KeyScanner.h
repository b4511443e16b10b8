#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "keyout/KeyTokens.h"
#include "platform/Clock.h"

namespace orbelin::keyout {

/// What one step of a key string asks the transfer to do.
enum class KeyItemKind {
  Character,  ///< an ordinary character (double-byte ones included)
  Control,    ///< a control character: codes 0-31, 127 and 224-247
  Key,        ///< a key token such as {ENTER} or {C+A}
  Brace,      ///< {{} or {}}: the brace itself is typed
  Expansion,  ///< {Date} or {Time}: its text now heads the input, nothing is typed for it
  OpenBrace,  ///< a brace group that is no token: "{" is typed, the rest is read again
};

struct KeyItem {
  KeyItemKind kind = KeyItemKind::Character;
  /// The character's code page 932 code as a signed 16-bit number (double-byte codes are
  /// negative); "{" or "}" for the brace kinds.
  std::int16_t code = 0;
  /// The character's code page 932 bytes (one or two).
  std::string bytes;
  /// The key to press, for Key.
  KeyAction action;
  /// Bytes of input that were left when this item began.
  std::size_t remainingBefore = 0;
};

/// Splits a key string into characters and brace tokens, one item at a time, working on
/// its code page 932 form. {Date} and {Time} are expanded from the clock when they are
/// reached and their text is then read like any other input.
class KeyScanner {
 public:
  KeyScanner(std::string_view keyString, bool interpretTokens, platform::Clock& clock);

  bool atEnd() const { return remaining() == 0; }
  /// Bytes left to read (after an expansion this can be more than at the start).
  std::size_t remaining() const { return m_input.size() - m_pos; }
  /// Bytes of the whole key string.
  std::size_t initialLength() const { return m_initial; }
  /// The next item; only while not atEnd().
  KeyItem next();

 private:
  KeyItem takeCharacter();
  KeyItem takeBraceGroup();
  void expand(std::size_t closingBrace, BraceToken which);

  std::string m_input;
  std::size_t m_pos = 0;
  std::size_t m_initial = 0;
  bool m_interpretTokens;
  platform::Clock& m_clock;
};

/// The control characters, which are pressed as keys rather than posted or pasted.
constexpr bool isControlCode(int code) {
  return (code >= 0 && code <= 31) || code == 127 || (code >= 224 && code <= 247);
}

}  // namespace orbelin::keyout
