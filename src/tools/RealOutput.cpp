#include "tools/RealOutput.h"

#include <QGuiApplication>
#include <cstdlib>

#include "platform/qt/QtClipboard.h"
#include "platform/wayland/WaylandClipboard.h"
#include "platform/wayland/WaylandKeyboard.h"
#include "platform/x11/X11Keyboard.h"

namespace orbelin::tools {

const char* const kRealKeyboardName = "x11|wayland";

bool isRealKeyboardName(std::string_view kind) { return kind == "x11" || kind == "wayland"; }

void useBinaryStandardStreams() {}

namespace {

std::optional<RealOutput> openWaylandOutput(std::string& reason) {
  if (std::getenv("WAYLAND_DISPLAY") == nullptr) {
    reason = "--keyboard wayland needs a Wayland display in WAYLAND_DISPLAY";
    return std::nullopt;
  }
  static int argc = 1;
  static char name[] = "orbelin-replay";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "wayland");
  RealOutput output;
  output.application = std::make_shared<QGuiApplication>(argc, argv);
  auto opened = platform::wayland::WaylandKeyboard::open(nullptr, platform::qt::servingPause);
  if (!opened.keyboard) {
    reason = "--keyboard wayland: " + opened.reason;
    return std::nullopt;
  }
  output.keyboard = std::move(opened.keyboard);
  auto clipboard = platform::wayland::WaylandClipboard::open();
  if (clipboard.clipboard) {
    output.clipboard = std::move(clipboard.clipboard);
  } else {
    output.clipboard = std::make_unique<platform::qt::QtClipboard>();
  }
  return output;
}

}  // namespace

std::optional<RealOutput> openRealOutput(std::string_view kind, std::string& reason) {
  if (kind == "wayland") return openWaylandOutput(reason);
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
