#include "settings/ControlCodeNames.h"

namespace orbelin::settings {

namespace {

constexpr const char* kNames[33] = {
    "<NUL>", "<SOH>", "<STX>", "<ETX>", "<EOT>", "<ENQ>", "<ACK>", "<BEL>", "<B S>", "<H T>", "<L F>",
    "<V T>", "<F F>", "<C R>", "<S O>", "<S I>", "<DLE>", "<DC1>", "<DC2>", "<DC3>", "<DC4>", "<NAK>",
    "<SYN>", "<ETB>", "<CAN>", "<E M>", "<SUB>", "<ESC>", "<F S>", "<G S>", "<R S>", "<U S>", "<S P>",
};

std::array<std::string, 128> buildNames() {
  std::array<std::string, 128> names;
  for (int code = 0; code < 128; ++code) {
    if (code <= 32) {
      names[code] = kNames[code];
    } else if (code == 127) {
      names[code] = "<DEL>";
    } else {
      names[code] = std::string(1, static_cast<char>(code));
    }
  }
  return names;
}

}  // namespace

const std::array<std::string, 128>& ControlCodeNames() {
  static const std::array<std::string, 128> names = buildNames();
  return names;
}

}  // namespace orbelin::settings
