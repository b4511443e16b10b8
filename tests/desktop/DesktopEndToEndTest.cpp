// The real program on a private X display: COM1 is a pty, a text box client holds the
// focus, framed records written into the pty arrive there as typed text, and FINISH.TXT
// ends the program.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "platform/x11/X11Keyboard.h"
#include "support/Desktop.h"
#include "support/ReaderPty.h"
#include "support/TempDir.h"
#include "support/TextBox.h"
#include "support/WaitFor.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;

/// The program on the reader's pty with settings of the test's; once it has opened COM1,
/// a text box client with the focus and a keyboard that reads it back.
struct Typing {
  explicit Typing(const std::string& keySection = {}) {
    writeSettings(dir.path(), reader.device(), keySection);
    program = std::make_unique<RunningProgram>(dir.path());
    if (reader.device().empty() || !waitFor([&] { return reader.openedByProgram(); }, 60s)) {
      problem = "orbelin never opened COM1";
      return;
    }
    client = std::make_unique<TextBox>(TextBox::Focus::Give);
    auto opened = platform::x11::X11Keyboard::open();
    keyboard = std::move(opened.keyboard);
    problem = !client->ready() ? client->problem() : !keyboard ? opened.reason : "";
  }
  std::optional<std::string> textOnce(const std::function<bool(const std::string&)>& done) {
    return client->textOnce(*keyboard, done);
  }

  TempDir dir;
  ReaderPty reader;
  std::unique_ptr<RunningProgram> program;
  std::unique_ptr<TextBox> client;
  std::unique_ptr<platform::x11::X11Keyboard> keyboard;
  std::string problem;
};

TEST(Desktop, TypesFramedRecordsFromTheSerialPortAndEndsOnFinishMarker) {
  Typing run;
  ASSERT_EQ(run.problem, "");
  // "ABC123" in ASCII, then "アイ" as the reader's code page 932 bytes.
  run.reader.write("\x02" "ABC123\r");
  run.reader.write("\x02\x83\x41\x83\x43\r");
  const auto typed = run.textOnce([](const std::string& text) { return text == "ABC123アイ"; });
  EXPECT_EQ(typed.value_or("<no answer>"), "ABC123アイ") << programLogs(run.dir.path());
}

// Qt's standard options reach Qt: -platform names the plugin where no display is set,
// and the program opens its port and ends on FINISH.TXT as usual.
TEST(Desktop, StartsOnThePlatformPluginQtsOptionNames) {
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device().empty());
  writeSettings(dir.path(), reader.device());
  const RunningProgram program(
      dir.path(), {.arguments = {"-platform", "offscreen", "-qwindowtitle", "Orbelin", "-reverse"},
                   .environment = {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"},
                   .tray = false});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 60s))
      << "orbelin never opened COM1; ERROR.LOG:\n" << readFile(dir.path() / "ERROR.LOG");
}

// The tabs of the first scan are typed with pauses (the fixed 100 ms and KeyWeight on
// either side) that let the program's event loop run; a scan that arrives meanwhile is
// typed after the first, whole.
TEST(Desktop, ScanArrivingWhileAnotherIsTypedComesAfterIt) {
  Typing run("KeyWeight=20\r\n");
  ASSERT_EQ(run.problem, "");
  std::string first;
  for (int field = 1; field <= 20; ++field) first += (field > 1 ? "\t" : "") + std::string("A") + std::to_string(field);
  run.reader.write("\x02" + first + "\r");
  // The second scan is sent once the box shows the start of the first, while the rest
  // (about three seconds) is still being typed; a machine slow enough to miss that window
  // sends it after the first is typed, which must come out the same.
  run.textOnce([](const std::string& shown) { return shown.starts_with("A1\t"); });
  run.reader.write("\x02" "B1B2B3\r");
  waitFor([&] { return readFile(run.dir.path() / "COMRECV.LOG").find("B1B2B3") != std::string::npos; }, 60s);
  const std::string expected = first + "B1B2B3";
  const std::optional<std::string> typed = run.client->textOnceTyped(*run.keyboard, expected.size());
  EXPECT_EQ(typed.value_or("<no answer>"), expected) << programLogs(run.dir.path());
}

}  // namespace
}  // namespace orbelin::test
