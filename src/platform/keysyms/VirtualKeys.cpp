#include "platform/keysyms/VirtualKeys.h"

#include <X11/keysym.h>

#include <array>

#include "codec/Cp932.h"

namespace orbelin::platform::keysyms {

namespace {

struct VirtualKeyEntry {
  std::uint8_t virtualKey;
  std::uint8_t scanCode;
  Keysym keysym;
};

// Keys other than letters, digits and function keys. Scan codes are those of the US
// layout without the E0 prefix, so transcripts of the real and the recording keyboard
// agree; 0 where Windows reports none.
constexpr VirtualKeyEntry kNamedKeys[] = {
    {0x03, 70, XK_Cancel},        {0x08, 14, XK_BackSpace},    {0x09, 15, XK_Tab},
    {0x0C, 76, XK_Clear},         {0x0D, 28, XK_Return},       {0x10, 42, XK_Shift_L},
    {0x11, 29, XK_Control_L},     {0x12, 56, XK_Alt_L},        {0x13, 69, XK_Pause},
    {0x14, 58, XK_Caps_Lock},     {0x1B, 1, XK_Escape},        {0x20, 57, XK_space},
    {0x21, 73, XK_Prior},         {0x22, 81, XK_Next},         {0x23, 79, XK_End},
    {0x24, 71, XK_Home},          {0x25, 75, XK_Left},         {0x26, 72, XK_Up},
    {0x27, 77, XK_Right},         {0x28, 80, XK_Down},         {0x29, 0, XK_Select},
    {0x2A, 0, XK_Print},          {0x2B, 0, XK_Execute},       {0x2C, 84, XK_Print},
    {0x2D, 82, XK_Insert},        {0x2E, 83, XK_Delete},       {0x2F, 0, XK_Help},
    {0x5B, 91, XK_Super_L},       {0x5C, 92, XK_Super_R},      {0x5D, 93, XK_Menu},
    {0x60, 82, XK_KP_0},          {0x61, 79, XK_KP_1},         {0x62, 80, XK_KP_2},
    {0x63, 81, XK_KP_3},          {0x64, 75, XK_KP_4},         {0x65, 76, XK_KP_5},
    {0x66, 77, XK_KP_6},          {0x67, 71, XK_KP_7},         {0x68, 72, XK_KP_8},
    {0x69, 73, XK_KP_9},          {0x6A, 55, XK_KP_Multiply},  {0x6B, 78, XK_KP_Add},
    {0x6D, 74, XK_KP_Subtract},   {0x6E, 83, XK_KP_Decimal},   {0x6F, 53, XK_KP_Divide},
    {0x90, 69, XK_Num_Lock},      {0x91, 70, XK_Scroll_Lock},  {0xA0, 42, XK_Shift_L},
    {0xA1, 54, XK_Shift_R},       {0xA2, 29, XK_Control_L},    {0xA3, 29, XK_Control_R},
    {0xA4, 56, XK_Alt_L},         {0xA5, 56, XK_Alt_R},        {0xBA, 39, XK_semicolon},
    {0xBB, 13, XK_equal},         {0xBC, 51, XK_comma},        {0xBD, 12, XK_minus},
    {0xBE, 52, XK_period},        {0xBF, 53, XK_slash},        {0xC0, 41, XK_grave},
    {0xDB, 26, XK_bracketleft},   {0xDC, 43, XK_backslash},    {0xDD, 27, XK_bracketright},
    {0xDE, 40, XK_apostrophe},    {0xE2, 86, XK_less},
};

// The right-hand keys that the extended flag selects. The extended right Alt (VK_RMENU)
// is how the engine presses AltGr: the level-3 key.
constexpr VirtualKeyEntry kExtendedKeys[] = {
    {0x11, 29, XK_Control_R},
    {0x12, 56, XK_Alt_R},
    {0xA5, 56, XK_ISO_Level3_Shift},
    {0x0D, 28, XK_KP_Enter},
};

constexpr std::array<std::uint8_t, 26> kLetterScanCodes = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                                           49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
constexpr std::array<std::uint8_t, 24> kFunctionScanCodes = {59,  60,  61,  62,  63,  64,  65,  66,
                                                             67,  68,  87,  88,  100, 101, 102, 103,
                                                             104, 105, 106, 107, 108, 109, 110, 118};

constexpr std::uint8_t kShiftKey = 0x10;
constexpr std::uint8_t kRightShiftScanCode = 0x36;
constexpr std::uint8_t kFirstFunctionKey = 0x70;
constexpr std::uint8_t kLastFunctionKey = 0x87;

struct ControlKey {
  std::uint8_t character;
  std::int16_t key;
};

// Control characters with a key of their own, or with a key other than Ctrl plus the
// letter of the same position. ESC is the Escape key: a barcode's ESC must not type "[".
constexpr ControlKey kControlKeys[] = {
    {0x00, 0x0332}, {0x03, 0x0003}, {0x08, 0x0008}, {0x09, 0x0009}, {0x0A, 0x020D}, {0x0D, 0x000D},
    {0x1B, 0x001B}, {0x1C, 0x02DC}, {0x1D, 0x02DD}, {0x1E, 0x0336}, {0x1F, 0x03BD}, {0x7F, 0x0208},
};

constexpr std::int16_t kCtrlLetter = 0x0240;

}  // namespace

Keysym keysymOfVirtualKey(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return XK_a + (virtualKey - 'A');
  if (virtualKey >= '0' && virtualKey <= '9') return XK_0 + (virtualKey - '0');
  if (virtualKey >= kFirstFunctionKey && virtualKey <= kLastFunctionKey) return XK_F1 + (virtualKey - kFirstFunctionKey);
  if (virtualKey == kShiftKey && scanCode == kRightShiftScanCode) return XK_Shift_R;
  if ((flags & 1) != 0) {
    for (const auto& entry : kExtendedKeys) {
      if (entry.virtualKey == virtualKey) return entry.keysym;
    }
  }
  for (const auto& entry : kNamedKeys) {
    if (entry.virtualKey == virtualKey) return entry.keysym;
  }
  return kNoKeysym;
}

Keysym fallbackKeysym(Keysym keysym) {
  switch (keysym) {
    case XK_Alt_R: return XK_Alt_L;
    case XK_Control_R: return XK_Control_L;
    case XK_Shift_R: return XK_Shift_L;
    case XK_KP_Enter: return XK_Return;
    default: return kNoKeysym;
  }
}

std::optional<std::uint8_t> virtualKeyOfKeysym(Keysym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<std::uint8_t>('A' + (keysym - XK_a));
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<std::uint8_t>('0' + (keysym - XK_0));
  if (keysym >= XK_F1 && keysym <= XK_F24) return static_cast<std::uint8_t>(kFirstFunctionKey + (keysym - XK_F1));
  for (const auto& entry : kNamedKeys) {
    if (entry.keysym == keysym) return entry.virtualKey;
  }
  return std::nullopt;
}

std::uint8_t scanCodeOfVirtualKey(std::uint8_t virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return kLetterScanCodes[virtualKey - 'A'];
  if (virtualKey >= '1' && virtualKey <= '9') return static_cast<std::uint8_t>(virtualKey - '1' + 2);
  if (virtualKey == '0') return 11;
  if (virtualKey >= kFirstFunctionKey && virtualKey <= kLastFunctionKey) {
    return kFunctionScanCodes[virtualKey - kFirstFunctionKey];
  }
  for (const auto& entry : kNamedKeys) {
    if (entry.virtualKey == virtualKey) return entry.scanCode;
  }
  return 0;
}

std::optional<std::int16_t> controlCharacterKey(std::uint8_t character) {
  for (const auto& entry : kControlKeys) {
    if (entry.character == character) return entry.key;
  }
  if (character >= 0x01 && character <= 0x1A) return static_cast<std::int16_t>(kCtrlLetter + character);
  return std::nullopt;
}

Keysym keysymOfCodePoint(char32_t codePoint) {
  switch (codePoint) {
    case U'\b': return XK_BackSpace;
    case U'\t': return XK_Tab;
    case U'\n':
    case U'\r': return XK_Return;
    case U'\x1b': return XK_Escape;
    default: break;
  }
  if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) return kNoKeysym;
  if (codePoint <= 0xFF) return codePoint;
  if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codec::isStrayByte(codePoint)) {
    return kNoKeysym;
  }
  return kUnicodeKeysymBase + codePoint;
}

}  // namespace orbelin::platform::keysyms
