// The real program under a Japanese input method with Mozc on (run by
// with-input-method.sh fcitx5): framed records written into COM1, a pty, arrive exactly
// in a Qt text box that composes through the method, and Mozc is on again afterwards.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/inputmethod/MethodControl.h"
#include "platform/x11/X11Keyboard.h"
#include "support/Desktop.h"
#include "support/MethodWait.h"
#include "support/ReaderPty.h"
#include "support/TempDir.h"
#include "support/TextBox.h"
#include "support/WaitFor.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;

TEST(DesktopInputMethod, RecordsFromTheSerialPortArriveExactlyWithMozcOn) {
  TempDir dir;
  // A link of this test's own: the lock file is named after the path the program opens,
  // and one that a root test left for a shared /dev/pts name is not ours to take.
  const auto link = dir.path() / "reader";
  ReaderPty reader(link);
  ASSERT_FALSE(reader.device().empty());
  writeSettings(dir.path(), link.string(), "Foot={ENTER}\r\n");
  const RunningProgram program(dir.path());
  ASSERT_TRUE(waitFor([&] { return reader.openedByProgram(); }, 20s))
      << "orbelin never opened COM1; ERROR.LOG:\n" << readFile(dir.path() / "ERROR.LOG");

  TextBox client(TextBox::Focus::Give);
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;
  const auto method = platform::inputmethod::makeFcitx5Control();
  ASSERT_TRUE(methodBecomes(*method, true)) << "Mozc did not compose for the text box";

  // "日本ｶﾅ" as the reader's code page 932 bytes.
  for (const std::string record : {"4912345678904", "abc-123/XYZ", "\x93\xfa\x96\x7b\xb6\xc5"}) {
    reader.write("\x02" + record + "\r");
  }
  const std::string expected = "4912345678904\nabc-123/XYZ\n日本ｶﾅ\n";
  const std::optional<std::string> typed = client.textOnceTyped(*opened.keyboard, expected.size());
  EXPECT_EQ(typed.value_or("<no answer>"), expected)
      << programLogs(dir.path());
  EXPECT_TRUE(methodBecomes(*method, true)) << "Mozc stayed off after the records";
}

}  // namespace
}  // namespace orbelin::test
