#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbelin::app {

/// A command line split into the program's own arguments and the standard options every
/// Qt program takes (-platform, -style, -display, -reverse, -qwindowgeometry, ...).
struct SplitCommandLine {
  /// The program's own arguments, in order, without the program name.
  std::vector<std::string> own;
  /// Qt's options with their values, in order, as Qt is to be given them.
  std::vector<std::string> qt;
  /// True when -platform was among them: Qt then needs no display from the environment.
  bool platformGiven = false;
  /// The Qt option whose value is missing at the end of the line; empty when none is.
  std::string missingValue;
};

/// Takes Qt's standard options (also written with "--", the style ones also as "-style=X") out of
/// argv; everything else stays the program's.
SplitCommandLine splitQtOptions(int argc, const char* const* argv);

/// The sentence each program's --help ends with.
inline constexpr std::string_view kQtOptionsNote =
    "Qt's standard options (-platform, -style, -display, -reverse, -qwindowgeometry,\n"
    "-qwindowtitle, ...) are accepted and handed to Qt when a window is shown.\n";

}  // namespace orbelin::app
