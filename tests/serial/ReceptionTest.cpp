#include <gtest/gtest.h>

#include "SerialFixture.h"

namespace orbelin::serial {
namespace {

using settings::Setting;
using test::SerialFixture;
using Lines = std::vector<std::string>;

struct FramingCase {
  const char* name;
  const char* select;
  const char* head;
  const char* headOther;
  const char* foot;
  std::string bytes;
  const char* typed;
  int records;
};

class Framed : public testing::TestWithParam<FramingCase> {};

TEST_P(Framed, CutsRecordsFromTheStream) {
  const FramingCase& c = GetParam();
  SerialFixture f;
  f.connect({{Setting::Select, c.select},
             {Setting::RcvHead, c.head},
             {Setting::HeadOther, c.headOther},
             {Setting::FootOther, c.headOther},
             {Setting::RcvFoot, c.foot}});
  f.receive(c.bytes);
  EXPECT_EQ(f.typed(), c.typed);
  EXPECT_EQ(f.count("icon busy"), c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Framed,
    testing::Values(FramingCase{"GapOnly", "0", "0", "0", "0", "ABC", "ABC", 1},
                    FramingCase{"BytesBeforeTheHeaderAreDropped", "1", "1", "0", "3", "x\x02" "123\r", "123", 1},
                    FramingCase{"HeaderThatNeverComesTypesNothing", "1", "1", "0", "3", "123\r", "", 0},
                    FramingCase{"HeaderFromHeadOther", "1", "3", "27", "3", "ab\x1b" "cd\r", "cd", 1},
                    // The CR inside is pressed as a key, so only the digits are posted.
                    FramingCase{"LoneCrDoesNotEndACrLfRecord", "1", "0", "0", "5", "1\r2\r\n", "12", 1},
                    FramingCase{"FooterFromFootOther", "1", "0", "35", "6", "ab#cd#", "abcd", 2},
                    FramingCase{"SohHeaderEtbFooter", "1", "2", "0", "2", std::string("\x01" "A\x17", 3), "A", 1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Reception, GapEndsTheRecordWeightAfterTheLastByteWasRead) {
  SerialFixture f;
  f.connect({{Setting::Weight, "150"}});
  f.receive("ABC");
  // 100 ms pause before counting, then the 150 ms gap, then the keys.
  EXPECT_EQ(f.clock.monotonicMs(), 250);
  EXPECT_EQ(f.typed(), "ABC");
}

TEST(Reception, EverythingReadIsLoggedAndShownEvenBeforeTheHeader) {
  SerialFixture f;
  f.connect({{Setting::Select, "1"}, {Setting::RcvHead, "1"}, {Setting::RcvFoot, "3"}});
  f.receive("x\x02" "12\r");
  EXPECT_EQ(f.file("COMRECV.LOG"), "08/03/28 14:05:09 x\x02" "12\r\r\n");
  EXPECT_EQ(f.monitor.sendText(), "x<STX>12<C R>\r\n");
  EXPECT_EQ(f.window.caption(), "接続中:[       x12]");
}

TEST(Reception, FooterRecordsOfOneBurstAreTypedAtOnceAndOnce) {
  SerialFixture f;
  f.connect({{Setting::Select, "1"}, {Setting::RcvFoot, "3"}, {Setting::Weight, "150"}});
  f.port.arrive("AB\rCD\rEF\r");
  f.port.arriveAt(2000, "GH\r");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.typed(), "ABCDEFGH");
  EXPECT_TRUE(f.errorLines().empty());
  // The later notifications find the bytes read already and do nothing.
  EXPECT_EQ(f.count("icon busy"), 4);
}

TEST(Reception, SecondRecordOfABurstDoesNotWaitForTheNextScan) {
  SerialFixture f;
  f.connect({{Setting::Select, "1"}, {Setting::RcvFoot, "3"}});
  f.receive("AB\rCD\r");
  EXPECT_EQ(f.typed(), "ABCD");
  // No gap is waited out: both records end at their footers right after the pause.
  EXPECT_EQ(f.clock.monotonicMs(), 100);
}

TEST(Reception, BytesAnnouncedDuringTheGapBelongToTheRecordBeingRead) {
  SerialFixture f;
  f.connect({{Setting::Weight, "500"}});
  f.port.arrive("AB");
  f.port.arriveAt(300, "CD");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.typed(), "ABCD");
  EXPECT_EQ(f.file("COMRECV.LOG"), "08/03/28 14:05:09 ABCD\r\n");
  // The pause before counting, then the gap measured from the last byte read.
  EXPECT_EQ(f.clock.monotonicMs(), 900);
}

TEST(Reception, UnwritableCaptureIsLoggedButTheScanIsStillTyped) {
  SerialFixture f;
  f.set(Setting::Log, "1");
  std::filesystem::create_directory(f.dir / "RCV.TXT");
  f.connect();
  f.receive("42");
  EXPECT_EQ(f.typed(), "42");
  ASSERT_EQ(f.errorLines().size(), 1u);
  EXPECT_TRUE(f.errorLines()[0].starts_with("[MakeFile] ")) << f.errorLines()[0];
}

TEST(Reception, CaptureGetsEveryChunkWhenLogIsOn) {
  SerialFixture f;
  f.connect({{Setting::Log, "1"}});
  f.port.arrive("12");
  f.port.arriveAt(1000, "34");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.file("RCV.TXT"), "12\r\n34\r\n");
}

TEST(Reception, HeaderCodeThatIsNoByteFailsTheReception) {
  SerialFixture f;
  f.connect({{Setting::Select, "1"}, {Setting::RcvHead, "3"}, {Setting::HeadOther, "300"}});
  f.receive("1");
  EXPECT_EQ(f.typed(), "");
  EXPECT_EQ(f.status(), (Lines{"msgbox critical \"RSDataRecv\" \"受信でエラーが発生しました。\""}));
}

TEST(Reception, UnpluggedDeviceClosesThePortAndIsReportedOnce) {
  SerialFixture f;
  f.connect({{Setting::Weight, "500"}});
  f.port.arrive("AB");
  f.port.arriveAt(200, "");
  f.loop.scheduleAt(200, [&] { f.port.unplug(); });
  f.port.arriveAt(300, "CD");
  f.loop.runUntilIdle();
  // The caption shows the loss before the box, which may wait long for a click.
  EXPECT_EQ(f.status(), (Lines{"port close", "caption \"未接続:COM1\"", "icon disconnected",
                               "msgbox critical \"RSDataRecv\" \"受信でエラーが発生しました。\"",
                               "caption \"未接続:COM1:[          ]\"", "icon disconnected"}));
  // The record had not ended when the port went: it is dropped, not typed.
  EXPECT_EQ(f.typed(), "");
  EXPECT_NE(f.file("COMRECV.LOG").find("[破棄] 受信の途中でポートが閉じられました: AB"), std::string::npos);
  ASSERT_EQ(f.errorLines().size(), 1u);
  EXPECT_TRUE(f.errorLines()[0].starts_with("[RSDataRecv] SerialPort:"));
}

}  // namespace
}  // namespace orbelin::serial
