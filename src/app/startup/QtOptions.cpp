#include "app/startup/QtOptions.h"

#include <algorithm>
#include <array>

namespace orbelin::app {

namespace {

// What QGuiApplication and QApplication read (-display and -geometry through the X11
// plugin), also written with "--"; only the style options also take "=value".
constexpr std::array<std::string_view, 12> kWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "style", "stylesheet", "display", "geometry"};
constexpr std::array<std::string_view, 5> kWithoutValue = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool listed(const auto& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

/// The option's name without its dashes; empty for what is no option.
std::string_view optionName(std::string_view argument) {
  if (argument.size() < 2 || argument[0] != '-') return {};
  argument.remove_prefix(argument[1] == '-' ? 2 : 1);
  return argument;
}

bool isStyleWithValue(std::string_view name) { return name.starts_with("style=") || name.starts_with("stylesheet="); }

}  // namespace

SplitCommandLine splitQtOptions(int argc, const char* const* argv) {
  SplitCommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const std::string_view name = optionName(argument);
    if (listed(kWithoutValue, name) || isStyleWithValue(name)) {
      line.qt.emplace_back(argument);
    } else if (listed(kWithValue, name)) {
      line.platformGiven = line.platformGiven || name == "platform";
      if (i + 1 == argc) {
        line.missingValue = std::string(argument);
        break;
      }
      line.qt.emplace_back(argument);
      line.qt.emplace_back(argv[++i]);
    } else {
      line.own.emplace_back(argument);
    }
  }
  return line;
}

}  // namespace orbelin::app
