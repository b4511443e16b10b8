#include "tools/RealOutput.h"

#include <QGuiApplication>
#include <cstdlib>

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

/// The program's choice of keyboard and clipboard, fixed to kind.
std::optional<RealOutput> openBackend(RealOutput output, app::KeyboardChoice choice, std::string_view kind,
                                      std::string& reason) {
  output.backend = std::make_unique<app::KeyOutputBackend>(choice);
  if (!output.backend->available()) {
    reason = "--keyboard " + std::string(kind) + ": " + output.backend->reason();
    return std::nullopt;
  }
  return output;
}

}  // namespace

std::optional<RealOutput> openRealOutput(std::string_view kind, const std::vector<std::string>& qtOptions,
                                         std::string& reason) {
  if (kind == "wayland") {
    if (std::getenv("WAYLAND_DISPLAY") == nullptr) {
      reason = "--keyboard wayland needs a Wayland display in WAYLAND_DISPLAY";
      return std::nullopt;
    }
    return openBackend(startApplication("wayland", qtOptions), app::KeyboardChoice::Wayland, kind, reason);
  }
  if (std::getenv("DISPLAY") == nullptr) {
    reason = "--keyboard x11 needs an X display in DISPLAY";
    return std::nullopt;
  }
  return openBackend(startApplication("xcb", qtOptions), app::KeyboardChoice::X11, kind, reason);
}

}  // namespace orbelin::tools
