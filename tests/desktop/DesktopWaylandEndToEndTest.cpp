// The real program as a client of a private headless sway: it types through the virtual
// keyboard it creates at start, COM1 is a pty, framed records written into the pty
// arrive in a Wayland text box, and FINISH.TXT ends the program.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/wayland/WaylandKeyboard.h"
#include "support/Desktop.h"
#include "support/ReaderPty.h"
#include "support/TempDir.h"
#include "support/TextBox.h"
#include "support/WaitFor.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;

TEST(DesktopWayland, TypesFramedRecordsThroughTheVirtualKeyboardAndEndsOnFinishMarker) {
  TempDir dir;
  ReaderPty reader;
  ASSERT_FALSE(reader.device().empty());
  writeSettings(dir.path(), reader.device());
  const RunningProgram program(dir.path(), {.arguments = {"--keyboard", "wayland"}, .environment = {}, .tray = false});
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 30s)) << "orbelin never opened COM1";

  // The program's keyboard is in the seat already: the new client gets the focus.
  TextBox client(TextBox::Focus::Await);
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::wayland::WaylandKeyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;

  // "ABC123" in ASCII, then "アイ" as the reader's code page 932 bytes.
  reader.write("\x02" "ABC123\r" "\x02\x83\x41\x83\x43\r");
  const auto typed = client.textOnce(*opened.keyboard, [](const std::string& text) { return text == "ABC123アイ"; });
  EXPECT_EQ(typed.value_or("<no answer>"), "ABC123アイ") << programLogs(dir.path());
}

}  // namespace
}  // namespace orbelin::test
