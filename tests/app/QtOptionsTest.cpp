#include <gtest/gtest.h>

#include "app/startup/QtOptions.h"

namespace orbelin::app {
namespace {

using Words = std::vector<std::string>;

struct SplitCase {
  const char* name;
  Words line;
  Words own;
  Words qt;
  bool platformGiven;
  std::string missingValue;
};

SplitCommandLine split(const Words& line) {
  std::vector<const char*> argv{"orbelin"};
  for (const auto& word : line) argv.push_back(word.c_str());
  return splitQtOptions(static_cast<int>(argv.size()), argv.data());
}

class SplitQtOptions : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitQtOptions, SeparatesQtsOptionsFromTheProgramsOwn) {
  const auto line = split(GetParam().line);
  EXPECT_EQ(line.own, GetParam().own);
  EXPECT_EQ(line.qt, GetParam().qt);
  EXPECT_EQ(line.platformGiven, GetParam().platformGiven);
  EXPECT_EQ(line.missingValue, GetParam().missingValue);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitQtOptions,
    ::testing::Values(
        SplitCase{"DirThenPlatform", {"--dir", "D", "-platform", "xcb"}, {"--dir", "D"}, {"-platform", "xcb"}, true, ""},
        SplitCase{"ValuesStayWithTheirOption",
                  {"-qwindowtitle", "--dir", "-style", "fusion", "-display", ":1", "-qwindowgeometry", "10x10+0+0"},
                  {},
                  {"-qwindowtitle", "--dir", "-style", "fusion", "-display", ":1", "-qwindowgeometry", "10x10+0+0"},
                  false, ""},
        SplitCase{"SwitchesTakeNoValue", {"-reverse", "script.txt", "--widgetcount"}, {"script.txt"},
                  {"-reverse", "--widgetcount"}, false, ""},
        SplitCase{"DoubleDashAndStyleWithEquals", {"--platform", "offscreen", "-style=fusion", "--stylesheet=a.qss"},
                  {}, {"--platform", "offscreen", "-style=fusion", "--stylesheet=a.qss"}, true, ""},
        // Only the style options are read in the "=" form; anything else is no Qt option.
        SplitCase{"PlatformWithEqualsIsNoQtOption", {"-platform=offscreen"}, {"-platform=offscreen"}, {}, false, ""},
        SplitCase{"OwnOptionsAndStdinUntouched", {"--now", "2026-01-01T00:00:00", "-", "--help"},
                  {"--now", "2026-01-01T00:00:00", "-", "--help"}, {}, false, ""},
        SplitCase{"MissingValueAtTheEnd", {"--dir", "D", "-platform"}, {"--dir", "D"}, {}, true, "-platform"},
        SplitCase{"UnknownSingleDashStaysOwn", {"-x", "-platformx"}, {"-x", "-platformx"}, {}, false, ""}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace orbelin::app
