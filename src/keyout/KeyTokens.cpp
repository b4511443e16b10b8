#include "keyout/KeyTokens.h"

namespace orbelin::keyout {

namespace {

struct NamedKey {
  std::string_view token;
  KeyAction action;
};

constexpr std::uint16_t kShift = 16;
constexpr std::uint16_t kCtrl = 17;
constexpr std::uint16_t kAlt = 18;

constexpr NamedKey kNamedKeys[] = {
    {"{Execute}", {43}},   {"{ENTER}", {13}},   {"{Space}", {32}},    {"{SCROLLLOCK}", {145}},
    {"{NUMLOCK}", {144}},  {"{Alt}", {18}},     {"{Ctrl}", {17}},     {"{BACKSPACE}", {8}},
    {"{BREAK}", {3}},      {"{CAPSLOCK}", {20}}, {"{DELETE}", {46}},  {"{DOWN}", {40}},
    {"{END}", {35}},       {"{ESC}", {27}},     {"{HELP}", {47}},     {"{HOME}", {36}},
    {"{INSERT}", {45}},    {"{LEFT}", {37}},    {"{PGDN}", {34}},     {"{PGUP}", {33}},
    // The Print key, not the Snapshot key (0x2C) that the name suggests.
    {"{PRTSC}", {42}},     {"{RIGHT}", {39}},   {"{TAB}", {9}},       {"{UP}", {38}},
    {"{RCtrl}", {17, 0, 0, true}}, {"{RShift}", {16, 0, 0, true}}, {"{RAlt}", {18, 0, 0, true}},
    {"{LCtrl}", {17}},     {"{LShift}", {16}},  {"{LAlt}", {18}},
};

struct ModifierFamily {
  char prefix;
  std::uint16_t modifier;
};

// {C+x}, {A+x} and {S+x}: a digit or capital letter key with Ctrl, Alt or Shift.
constexpr ModifierFamily kModifierFamilies[] = {{'C', kCtrl}, {'A', kAlt}, {'S', kShift}};

constexpr std::uint16_t kFirstFunctionKey = 112;
constexpr int kFunctionKeyCount = 24;

std::optional<KeyAction> findModifierToken(std::string_view token) {
  if (token.size() != 5 || token[0] != '{' || token[2] != '+' || token[4] != '}') return std::nullopt;
  const char key = token[3];
  if (!((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))) return std::nullopt;
  for (const auto& family : kModifierFamilies) {
    if (family.prefix == token[1]) return KeyAction{static_cast<std::uint16_t>(key), family.modifier};
  }
  return std::nullopt;
}

// {F1} to {F24}, without leading zeros.
std::optional<KeyAction> findFunctionToken(std::string_view token) {
  if (token.size() < 4 || token.size() > 5 || token.substr(0, 2) != "{F" || token.back() != '}') {
    return std::nullopt;
  }
  const std::string_view digits = token.substr(2, token.size() - 3);
  if (digits[0] < '1' || digits[0] > '9') return std::nullopt;
  int number = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return std::nullopt;
    number = number * 10 + (digit - '0');
  }
  if (number > kFunctionKeyCount) return std::nullopt;
  return KeyAction{static_cast<std::uint16_t>(kFirstFunctionKey + number - 1)};
}

}  // namespace

std::optional<KeyAction> findKeyToken(std::string_view token) {
  for (const auto& named : kNamedKeys) {
    if (named.token == token) return named.action;
  }
  if (auto action = findModifierToken(token)) return action;
  return findFunctionToken(token);
}

std::optional<BraceToken> findBraceToken(std::string_view token) {
  if (token == "{{}") return BraceToken::LiteralOpen;
  if (token == "{}}") return BraceToken::LiteralClose;
  if (token == "{Date}") return BraceToken::Date;
  if (token == "{Time}") return BraceToken::Time;
  return std::nullopt;
}

}  // namespace orbelin::keyout
