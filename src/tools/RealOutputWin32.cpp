#include "tools/RealOutput.h"

#include <fcntl.h>
#include <io.h>

#include <QGuiApplication>
#include <cstdio>

#include "platform/qt/QtClipboard.h"
#include "platform/win32/Win32Keyboard.h"

namespace orbelin::tools {

const char* const kRealKeyboardName = "win32";

void useBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool isRealKeyboardName(std::string_view kind) { return kind == kRealKeyboardName; }

std::optional<RealOutput> openRealOutput(std::string_view kind, std::string& reason) {
  (void)kind;
  (void)reason;
  static int argc = 1;
  static char name[] = "orbelin-replay";
  static char* argv[] = {name, nullptr};
  RealOutput output;
  output.application = std::make_shared<QGuiApplication>(argc, argv);
  output.keyboard = std::make_unique<platform::win32::Win32Keyboard>(platform::qt::servingPause);
  output.clipboard = std::make_unique<platform::qt::QtClipboard>();
  return output;
}

}  // namespace orbelin::tools
