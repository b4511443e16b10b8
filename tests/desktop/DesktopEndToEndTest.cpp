// The real program on a private X display: COM1 is a pty, a text box client holds the
// focus, framed records written into the pty arrive there as typed text, and FINISH.TXT
// ends the program.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "DesktopSupport.h"
#include "TextBoxDriver.h"
#include "platform/x11/X11Keyboard.h"
#include "support/TempDir.h"
#include "support/WaitFor.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;

TEST(Desktop, TypesFramedRecordsFromTheSerialPortAndEndsOnFinishMarker) {
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device.empty());
  writeSettings(dir.path(), reader.device);
  const pid_t tray = start({"trayer", "--SetDockType", "true"});
  const pid_t program = start({besideThisProgram("orbelin").string(), "--dir", dir.path().string()});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 60s)) << "orbelin never opened COM1";

  x11::TextBoxDriver client;
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;

  // "ABC123" in ASCII, then "アイ" as the reader's code page 932 bytes.
  reader.write("\x02" "ABC123\r");
  reader.write("\x02\x83\x41\x83\x43\r");
  std::optional<std::string> typed;
  waitFor([&] {
    typed = client.text(*opened.keyboard);
    return typed && *typed == "ABC123アイ";
  }, 60s);
  EXPECT_EQ(typed.value_or("<no answer>"), "ABC123アイ")
      << programLogs(dir.path());

  finish(dir.path(), program, tray);
}

// Qt's standard options reach Qt: -platform names the plugin where no display is set,
// and the program opens its port and ends on FINISH.TXT as usual.
TEST(Desktop, StartsOnThePlatformPluginQtsOptionNames) {
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device.empty());
  writeSettings(dir.path(), reader.device);
  const pid_t program = start({"env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                               besideThisProgram("orbelin").string(), "--dir", dir.path().string(), "-platform",
                               "offscreen", "-qwindowtitle", "Orbelin", "-reverse"});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 60s))
      << "orbelin never opened COM1; ERROR.LOG:\n" << fileText(dir.path() / "ERROR.LOG");
  finish(dir.path(), program, 0);
}

// The tabs of the first scan are typed with pauses (the fixed 100 ms and KeyWeight on
// either side) that let the program's event loop run; a scan that arrives meanwhile is
// typed after the first, whole.
TEST(Desktop, ScanArrivingWhileAnotherIsTypedComesAfterIt) {
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device.empty());
  writeSettings(dir.path(), reader.device, "KeyWeight=20\r\n");
  const pid_t tray = start({"trayer", "--SetDockType", "true"});
  const pid_t program = start({besideThisProgram("orbelin").string(), "--dir", dir.path().string()});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 60s)) << "orbelin never opened COM1";

  x11::TextBoxDriver client;
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;

  std::string first;
  for (int field = 1; field <= 20; ++field) first += (field > 1 ? "\t" : "") + std::string("A") + std::to_string(field);
  reader.write("\x02" + first + "\r");
  // The second scan is sent once the box shows the start of the first, while the rest
  // (about three seconds) is still being typed; a machine slow enough to miss that window
  // sends it after the first is typed, which must come out the same.
  waitFor([&] {
    const std::optional<std::string> shown = client.text(*opened.keyboard);
    return shown && shown->starts_with("A1\t");
  }, 60s);
  reader.write("\x02" "B1B2B3\r");
  waitFor([&] { return fileText(dir.path() / "COMRECV.LOG").find("B1B2B3") != std::string::npos; }, 60s);
  const std::string expected = first + "B1B2B3";
  const std::optional<std::string> typed = textOnceTyped(client, *opened.keyboard, expected.size());
  EXPECT_EQ(typed.value_or("<no answer>"), expected)
      << programLogs(dir.path());

  finish(dir.path(), program, tray);
}

}  // namespace
}  // namespace orbelin::test
