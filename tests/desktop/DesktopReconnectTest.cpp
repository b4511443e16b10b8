// The real program on a private X display with COM1 a link to a pty, as a USB reader's
// stable name is: the reader vanishes (its end closed, the link removed) and a new pty
// appears at the same name a little later. The program must show the loss, reopen the
// reader on its return and type what it sends then, once; a record cut by the loss is
// logged as dropped and never typed.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "codec/Cp932.h"
#include "platform/x11/X11Keyboard.h"
#include "support/Desktop.h"
#include "support/ReaderPty.h"
#include "support/TempDir.h"
#include "support/TextBox.h"
#include "support/WaitFor.h"
#include "support/WindowTitle.h"

namespace orbelin::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

/// The wait allowed for what should take a second or two: generous, so a loaded machine
/// is slow rather than wrong; the times really taken are printed.
constexpr auto kGuard = 60s;

long msSince(Clock::time_point start) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

/// A log of the program, decoded from its code page.
std::string logText(const std::filesystem::path& path) { return codec::fromCp932(readFile(path)); }

bool captionStartsWith(const char* head) {
  const std::optional<std::string> caption = mainWindowCaption();
  return caption && caption->starts_with(head);
}

struct Case {
  const char* name;
  /// What the reader sends just before it vanishes: nothing, or the start of a record.
  std::string beforeLoss;
};

class DesktopReconnect : public testing::TestWithParam<Case> {};

TEST_P(DesktopReconnect, LostReaderIsAwaitedReopenedOnItsReturnAndTypesTheNextRecordOnce) {
  const Case& c = GetParam();
  TempDir dir;
  const std::filesystem::path link = dir.path() / "reader";
  auto reader = std::make_unique<ReaderPty>(link);
  ASSERT_FALSE(reader->device().empty());
  writeSettings(dir.path(), link.string(), {}, "Weight=3000\r\n");
  RunningProgram program(dir.path());
  ASSERT_TRUE(waitFor([&] { return reader->openedByProgram(); }, kGuard)) << "orbelin never opened COM1";

  TextBox client(TextBox::Focus::Give);
  ASSERT_TRUE(client.ready()) << client.problem();
  auto opened = platform::x11::X11Keyboard::open();
  ASSERT_TRUE(opened.keyboard) << opened.reason;
  const auto logs = [&] {
    return "\nERROR.LOG:\n" + logText(dir.path() / "ERROR.LOG") + "COMRECV.LOG:\n" + logText(dir.path() / "COMRECV.LOG");
  };

  reader->write("\x02" "ONE\r");
  auto typed = client.textOnce(*opened.keyboard, [](const std::string& text) { return text == "ONE"; });
  ASSERT_EQ(typed.value_or("<no answer>"), "ONE") << logs();
  ASSERT_TRUE(captionStartsWith("接続中"));

  if (!c.beforeLoss.empty()) {
    // The program has read the start of the record once the line holds nothing more; the
    // record is not over before its footer or a long gap.
    reader->write(c.beforeLoss);
    // The bytes reach the program's end of the line a moment after the write.
    waitFor([&] { return reader->unread() > 0; }, 2s);
    ASSERT_TRUE(waitFor([&] { return reader->unread() == 0; }, kGuard));
  }
  const auto lost = Clock::now();
  reader->vanish();
  EXPECT_TRUE(waitFor([] { return captionStartsWith("未接続"); }, kGuard))
      << mainWindowCaption().value_or("<no main window>") << logs();
  std::printf("[ %s ] caption 未接続 %ld ms after the loss\n", c.name, msSince(lost));

  std::this_thread::sleep_for(2s);  // the reader is away for a while; no result depends on it
  const auto back = Clock::now();
  reader.reset();
  reader = std::make_unique<ReaderPty>(link);
  ASSERT_TRUE(waitFor([&] { return reader->openedByProgram(); }, kGuard)) << "never reopened" << logs();
  std::printf("[ %s ] reopened %ld ms after the return\n", c.name, msSince(back));
  EXPECT_TRUE(waitFor([] { return captionStartsWith("接続中"); }, kGuard))
      << mainWindowCaption().value_or("<no main window>");

  reader->write("\x02" "THREE\r");
  typed = client.textOnceTyped(*opened.keyboard, std::string("ONETHREE").size());
  EXPECT_EQ(typed.value_or("<no answer>"), "ONETHREE") << logs();
  const std::string errors = logText(dir.path() / "ERROR.LOG");
  EXPECT_NE(errors.find("[RSDataRecv] SerialPort:"), std::string::npos) << errors;
  EXPECT_NE(errors.find("再接続しました"), std::string::npos) << errors;
  if (!c.beforeLoss.empty()) {
    EXPECT_NE(logText(dir.path() / "COMRECV.LOG").find("[破棄] 受信の途中でポートが閉じられました: \x02" "TW"), std::string::npos) << logs();
  }
}

INSTANTIATE_TEST_SUITE_P(Loss, DesktopReconnect,
                         testing::Values(Case{"idle", ""}, Case{"mid-record", "\x02" "TW"}),
                         [](const testing::TestParamInfo<Case>& param) {
                           return std::string(param.param.name) == "idle" ? "WhileIdle" : "InTheMiddleOfARecord";
                         });

}  // namespace
}  // namespace orbelin::test
