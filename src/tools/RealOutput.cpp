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

/// The Qt application of the replay on the platform plugin named, which -platform overrides.
RealOutput startApplication(const char* plugin, const std::vector<std::string>& qtOptions) {
  qputenv("QT_QPA_PLATFORM", plugin);
  RealOutput output;
  output.commandLine = std::make_unique<QtCommandLine>("orbelin-replay", qtOptions);
  output.application = std::make_shared<QGuiApplication>(output.commandLine->argc, output.commandLine->argv.data());
  return output;
}

std::optional<RealOutput> openWaylandOutput(const std::vector<std::string>& qtOptions, std::string& reason) {
  if (std::getenv("WAYLAND_DISPLAY") == nullptr) {
    reason = "--keyboard wayland needs a Wayland display in WAYLAND_DISPLAY";
    return std::nullopt;
  }
  RealOutput output = startApplication("wayland", qtOptions);
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

std::optional<RealOutput> openRealOutput(std::string_view kind, const std::vector<std::string>& qtOptions,
                                         std::string& reason) {
  if (kind == "wayland") return openWaylandOutput(qtOptions, reason);
  if (std::getenv("DISPLAY") == nullptr) {
    reason = "--keyboard x11 needs an X display in DISPLAY";
    return std::nullopt;
  }
  RealOutput output = startApplication("xcb", qtOptions);
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
