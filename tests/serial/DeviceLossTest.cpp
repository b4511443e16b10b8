// However a reader's loss shows (a notification, a failing read, a failing write), it is
// handled the same way: the port closed once, one log line, the caption naming the port
// awaited, the reader reopened on its return and only what it sends then typed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "SerialFixture.h"

namespace orbelin::serial {
namespace {

using settings::Setting;
using test::SerialFixture;
using Lines = std::vector<std::string>;

struct Case {
  const char* name;
  /// Settings and arrivals before the loss; the loss itself comes at 1,000 ms.
  std::function<void(SerialFixture&)> before;
  std::function<void(SerialFixture&)> lose;
  /// Typed in all: only whole records, none glued to the one after the return.
  const char* typed;
};

const Case kCases[] = {
    {"notification while idle", [](SerialFixture& f) { f.port.arrive("AB\r"); },
     [](SerialFixture& f) { f.port.unplug(); }, "ABEF"},
    {"notification in the middle of a record",
     [](SerialFixture& f) {
       f.set(Setting::Weight, "2000");
       f.port.arriveAt(900, "AB");
     },
     [](SerialFixture& f) { f.port.unplug(); }, "EF"},
    // Bytes counted after the reader went: reading them fails.
    {"failing read in the middle of a record",
     [](SerialFixture& f) {
       f.set(Setting::Weight, "2000");
       f.port.arriveAt(500, "AB");
       f.port.arriveAt(1'200, "CD");
     },
     [](SerialFixture& f) { f.port.unplugSilently(); }, "EF"},
    // The reader's request byte, written every second, is the first to fail.
    {"failing write while idle",
     [](SerialFixture& f) {
       f.set(Setting::Trigger, "22");
       f.set(Setting::Timer, "1");
     },
     [](SerialFixture& f) { f.port.unplugSilently(); }, "EF"},
};

TEST(DeviceLoss, EveryWayOfLosingTheReaderIsHandledAlikeAndNoPartOfARecordIsGlued) {
  for (const Case& c : kCases) {
    SerialFixture f;
    f.set(Setting::Select, "1");
    f.set(Setting::RcvHead, "0");
    f.set(Setting::RcvFoot, "3");
    c.before(f);
    f.connect();
    f.loop.scheduleAt(1'000, [&] { c.lose(f); });
    std::string captionWhileAway;
    f.loop.scheduleAt(3'000, [&] { captionWhileAway = f.window.caption(); });
    f.loop.scheduleAt(3'500, [&] { f.port.replug(); });
    f.port.arriveAt(6'000, "EF\r");
    f.loop.scheduleAt(8'000, [&] { f.link.connection().SetuzokuCmd_Click(); });
    f.loop.runUntilIdle();

    EXPECT_TRUE(captionWhileAway.starts_with("未接続:COM1")) << c.name << ": " << captionWhileAway;
    // Closed once by the loss and once by the final toggle; opened again once.
    EXPECT_EQ(f.count("port close"), 2) << c.name;
    EXPECT_EQ(f.count("port open 1"), 1) << c.name;
    const std::vector<std::string> errors = f.errorLines();
    ASSERT_EQ(errors.size(), 2u) << c.name;
    EXPECT_EQ(errors[0], "[RSDataRecv] SerialPort:ポートのデバイスが見つからなくなりました。") << c.name;
    EXPECT_TRUE(errors[1].starts_with("[RSOpen] SerialPort:再接続しました")) << c.name;
    EXPECT_EQ(f.typed(), c.typed) << c.name;
    const bool cut = f.file("COMRECV.LOG").find("AB") != std::string::npos && f.typed() == "EF";
    if (cut) {
      EXPECT_NE(f.file("COMRECV.LOG").find("[破棄] 受信の途中でポートが閉じられました: AB"), std::string::npos) << c.name;
    }
  }
}

}  // namespace
}  // namespace orbelin::serial
