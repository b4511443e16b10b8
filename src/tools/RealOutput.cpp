#include "tools/RealOutput.h"

#include <QGuiApplication>
#include <cstdlib>

#include "platform/qt/QtClipboard.h"
#include "platform/x11/X11Keyboard.h"

namespace orbelin::tools {

const char* const kRealKeyboardName = "x11";

void useBinaryStandardStreams() {}

std::optional<RealOutput> openRealOutput(std::string& reason) {
  if (std::getenv("DISPLAY") == nullptr) {
    reason = "--keyboard x11 needs an X display in DISPLAY";
    return std::nullopt;
  }
  static int argc = 1;
  static char name[] = "orbelin-replay";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "xcb");
  RealOutput output;
  output.application = std::make_shared<QGuiApplication>(argc, argv);
  auto opened = platform::x11::X11Keyboard::open(nullptr, platform::qt::servingPause);
  if (!opened.keyboard) {
    reason = "--keyboard x11: " + opened.reason;
    return std::nullopt;
  }
  output.keyboard = std::move(opened.keyboard);
  output.clipboard = std::make_unique<platform::qt::QtClipboard>();
  return output;
}

}  // namespace orbelin::tools
