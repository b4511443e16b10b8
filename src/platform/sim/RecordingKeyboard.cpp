#include "platform/sim/RecordingKeyboard.h"

#include <string>

#include "platform/common/KeyboardLines.h"

namespace orbelin::platform::sim {

namespace {

struct CharacterKey {
  char character;
  std::int16_t key;
};

// Characters that are not letters or digits. Control codes take the first key that the
// layout's tables list for them: LF is Ctrl+Enter and ESC Ctrl+[ (the bracket key comes
// first), while CR, TAB, BS and ETX have keys of their own.
constexpr CharacterKey kCharacterKeys[] = {
    {'\0', 0x0332},  {'\x03', 0x0003}, {'\b', 0x0008},  {'\t', 0x0009},  {'\n', 0x020D}, {'\r', 0x000D},
    {'\x1b', 0x02DB}, {'\x1c', 0x02DC}, {'\x1d', 0x02DD}, {'\x1e', 0x0336}, {'\x1f', 0x03BD},
    {'\x7f', 0x0208}, {' ', 0x0020},  {'!', 0x0131},   {'"', 0x01DE},   {'#', 0x0133},  {'$', 0x0134},
    {'%', 0x0135},   {'&', 0x0137},   {'\'', 0x00DE},  {'(', 0x0139},   {')', 0x0130},  {'*', 0x0138},
    {'+', 0x01BB},   {',', 0x00BC},   {'-', 0x00BD},   {'.', 0x00BE},   {'/', 0x00BF},  {':', 0x01BA},
    {';', 0x00BA},   {'<', 0x01BC},   {'=', 0x00BB},   {'>', 0x01BE},   {'?', 0x01BF},  {'@', 0x0132},
    {'[', 0x00DB},   {'\\', 0x00DC},  {']', 0x00DD},   {'^', 0x0136},   {'_', 0x01BD},  {'`', 0x00C0},
    {'{', 0x01DB},   {'|', 0x01DC},   {'}', 0x01DD},   {'~', 0x01C0},
};

struct VirtualKeyScan {
  std::uint8_t virtualKey;
  std::uint8_t scanCode;
};

// Set-1 scan codes of the keys that are not letters, digits or function keys. Keys with
// an E0 prefix report their code without the prefix; keys with no code are absent.
constexpr VirtualKeyScan kScanCodes[] = {
    {0x03, 70},  {0x08, 14},  {0x09, 15},  {0x0C, 76},  {0x0D, 28},  {0x10, 42},  {0x11, 29},  {0x12, 56},
    {0x13, 69},  {0x14, 58},  {0x1B, 1},   {0x20, 57},  {0x21, 73},  {0x22, 81},  {0x23, 79},  {0x24, 71},
    {0x25, 75},  {0x26, 72},  {0x27, 77},  {0x28, 80},  {0x2C, 84},  {0x2D, 82},  {0x2E, 83},  {0x5B, 91},
    {0x5C, 92},  {0x5D, 93},  {0x60, 82},  {0x61, 79},  {0x62, 80},  {0x63, 81},  {0x64, 75},  {0x65, 76},
    {0x66, 77},  {0x67, 71},  {0x68, 72},  {0x69, 73},  {0x6A, 55},  {0x6B, 78},  {0x6D, 74},  {0x6E, 83},
    {0x6F, 53},  {0x90, 69},  {0x91, 70},  {0xA0, 42},  {0xA1, 54},  {0xA2, 29},  {0xA3, 29},  {0xA4, 56},
    {0xA5, 56},  {0xBA, 39},  {0xBB, 13},  {0xBC, 51},  {0xBD, 12},  {0xBE, 52},  {0xBF, 53},  {0xC0, 41},
    {0xDB, 26},  {0xDC, 43},  {0xDD, 27},  {0xDE, 40},  {0xE2, 86},
};

// Scan codes of A to Z in the order of the letters.
constexpr std::uint8_t kLetterScanCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                               49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
// Scan codes of F1 to F24.
constexpr std::uint8_t kFunctionScanCodes[24] = {59, 60, 61, 62, 63, 64, 65,  66,  67,  68,  87,  88,
                                                 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 118};

}  // namespace

std::int16_t usKeyForCharacter(std::uint8_t character) {
  for (const auto& entry : kCharacterKeys) {
    if (static_cast<std::uint8_t>(entry.character) == character) return entry.key;
  }
  if (character >= '0' && character <= '9') return character;
  if (character >= 'A' && character <= 'Z') return static_cast<std::int16_t>(0x0100 | character);
  if (character >= 'a' && character <= 'z') return static_cast<std::int16_t>(character - 0x20);
  // The remaining control codes 1 to 26 are Ctrl with the letter of the same position.
  if (character >= 0x01 && character <= 0x1A) return static_cast<std::int16_t>(0x0240 + character);
  return kNoKey;
}

std::uint8_t usScanCodeOf(std::uint8_t virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return kLetterScanCodes[virtualKey - 'A'];
  if (virtualKey >= '1' && virtualKey <= '9') return static_cast<std::uint8_t>(virtualKey - '1' + 2);
  if (virtualKey == '0') return 11;
  if (virtualKey >= 0x70 && virtualKey <= 0x87) return kFunctionScanCodes[virtualKey - 0x70];
  for (const auto& entry : kScanCodes) {
    if (entry.virtualKey == virtualKey) return entry.scanCode;
  }
  return 0;
}

void RecordingKeyboard::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
  m_transcript.add(keyEventLine(virtualKey, scanCode, flags));
}

std::int16_t RecordingKeyboard::keyForCharacter(std::uint8_t character) { return usKeyForCharacter(character); }

std::uint8_t RecordingKeyboard::scanCodeOf(std::uint8_t virtualKey) { return usScanCodeOf(virtualKey); }

std::optional<WindowId> RecordingKeyboard::focusWindow() {
  if (m_lookupsLeft) {
    if (*m_lookupsLeft <= 0) return std::nullopt;
    --*m_lookupsLeft;
  }
  return m_focus;
}

void RecordingKeyboard::postCharacter(WindowId /*window*/, char32_t character) {
  m_transcript.add(postedCharacterLine(character));
}

void RecordingKeyboard::sleep(int ms) {
  if (ms <= 0) return;
  m_transcript.add(pauseLine(ms));
  if (m_pause) {
    m_pause(ms);
  } else if (m_clock != nullptr) {
    m_clock->advance(ms);
  }
}

}  // namespace orbelin::platform::sim
