// The real program in a Wayland session whose compositor has no virtual keyboard (GNOME,
// KDE Plasma), with XWayland played by a private Xvfb display: it says once that keys
// reach only X11 programs, keeps running, and types records into an X11 text box.
#include <gtest/gtest.h>

#include <chrono>

#include "BareCompositor.h"
#include "codec/Cp932.h"
#include "platform/x11/X11Keyboard.h"
#include "support/Desktop.h"
#include "support/ReaderPty.h"
#include "support/TempDir.h"
#include "support/TextBox.h"
#include "support/WindowTitle.h"
#include "support/WaitFor.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;

TEST(DesktopBareWayland, SaysKeysReachOnlyX11ProgramsAndTypesIntoThem) {
  wayland::BareCompositor compositor;
  ASSERT_NE(compositor.socket(), nullptr);
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device().empty());
  writeSettings(dir.path(), reader.device());
  const RunningProgram program(
      dir.path(), {.arguments = {}, .environment = {"WAYLAND_DISPLAY=" + std::string(compositor.socket())}, .tray = false});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 30s)) << "orbelin never opened COM1";
  // ERROR.LOG is written in code page 932.
  const std::string notice = codec::toCp932("キー入力は X11 のプログラムにしか届きません");
  const auto noticed = [&] { return readFile(dir.path() / "ERROR.LOG").find(notice) != std::string::npos; };
  EXPECT_TRUE(waitFor(noticed, 30s)) << readFile(dir.path() / "ERROR.LOG");
  // The notice's box shows after the log line and may take the focus when it does: it is
  // closed first, as the user would, so that the keys go to the text box.
  EXPECT_TRUE(waitFor([] { return closeWindowsTitled("Orbelin") > 0; }, 30s)) << "the notice was not shown";
  EXPECT_TRUE(waitFor([] { return closeWindowsTitled("Orbelin") == 0; }, 30s)) << "the notice box stayed open";

  TextBox client(TextBox::Focus::Give);
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;
  reader.write("\x02" "X11-42\r");
  const auto typed = client.textOnce(*opened.keyboard, [](const std::string& text) { return text == "X11-42"; });
  EXPECT_EQ(typed.value_or("<no answer>"), "X11-42") << programLogs(dir.path());
}

}  // namespace
}  // namespace orbelin::test
