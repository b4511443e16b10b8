#include <gtest/gtest.h>

#include "app/EngineFixture.h"

namespace orbelin::app {
namespace {

using settings::Setting;
using Lines = std::vector<std::string>;

using test::EngineFixture;

TEST(EngineSteps, BookRowsScannedOneAfterTheOtherAreJoined) {
  for (const bool secondFirst : {false, true}) {
    EngineFixture f;
    f.books();
    f.connect();
    f.port.arrive(secondFirst ? "1920055024004" : "9784873119038");
    f.port.arriveAt(800, secondFirst ? "9784873119038" : "1920055024004");
    f.loop.runUntilIdle();
    EXPECT_EQ(f.file("out.txt"), "ISBN4-87311-903-0 C0055 \\2400E\r\n\r\n") << secondFirst;
  }
}

TEST(EngineSteps, LoneRowIsReleasedByTheTimerOnlyWhenOneRowIsAllowed) {
  for (const char* allowOne : {"1", "0"}) {
    EngineFixture f;
    f.books();
    f.set(Setting::BookJAN1, allowOne);
    f.connect();
    f.receive("1920055024004");
    EXPECT_EQ(f.file("out.txt"), allowOne == std::string("1") ? "1920055024004\r\n" : "") << allowOne;
    // Reception ends at 250 ms; the row goes once more than 1500 ms have passed.
    EXPECT_EQ(f.clock.monotonicMs(), 1751);
  }
}

TEST(EngineSteps, WaitTimeThatIsNoNumberFailsTheRowButLaterScansAreTyped) {
  EngineFixture f;
  f.books();
  f.connect({{Setting::SPCWeight, "abc"}});
  f.port.arrive("1920055024004");
  f.port.arriveAt(1000, "HELLO");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.status(), (Lines{"icon busy", "msgbox warning \"EventRecv\" \"ポーリング処理でエラーが発生しました。\"",
                               "icon busy", "caption \"接続中:[24004HELLO]\"", "icon connected"}));
  ASSERT_EQ(f.errorLines().size(), 1u);
  EXPECT_TRUE(f.errorLines()[0].starts_with("[EventRecv] ")) << f.errorLines()[0];
  EXPECT_EQ(f.file("out.txt"), "HELLO\r\n");
  EXPECT_TRUE(f.port.isOpen());
}

TEST(EngineSteps, Gs1RecordIsDecodedWithTheDatabaseStartUpCreated) {
  EngineFixture f;
  f.connect({{Setting::EANRead, "1"}, {Setting::EANSend, "3"}});
  f.receive("]C1010491234567890410ABC");
  EXPECT_EQ(f.file("out.txt"), "(01)04912345678904(10)ABC\r\n");
}

// The framing codes are checked on the record as it came, before a conversion changes
// its ends; a row held by the book step is sent later without them.
struct FramedCase {
  const char* name;
  EngineFixture::Values settings;
  std::string bytes;
  const char* written;
};

class FramedRecord : public testing::TestWithParam<FramedCase> {};

TEST_P(FramedRecord, IsConvertedAndWritten) {
  const FramedCase& c = GetParam();
  EngineFixture f;
  f.set(Setting::Select, "1");
  f.connect(c.settings);
  f.receive(c.bytes);
  EXPECT_EQ(f.file("out.txt"), c.written);
  EXPECT_TRUE(f.errorLines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, FramedRecord,
    testing::Values(
        FramedCase{"Gs1RecordWithEtxFooter",
                   {{Setting::RcvFoot, "1"}, {Setting::EANRead, "1"}, {Setting::EANSend, "3"}},
                   "]C10104912345678904\x03",
                   "(01)04912345678904\r\n"},
        FramedCase{"Gs1RecordWithStxHeaderAndCrFooter",
                   {{Setting::RcvHead, "1"}, {Setting::RcvFoot, "3"}, {Setting::EANRead, "1"}, {Setting::EANSend, "3"}},
                   "\x02]C10104912345678904\r",
                   "(01)04912345678904\r\n"},
        FramedCase{"LoneFirstBookRowIsReleased",
                   {{Setting::RcvFoot, "3"}, {Setting::BookJAN, "1"}, {Setting::BookJAN1, "1"}},
                   "9784101010014\r",
                   "9784101010014\r\n"},
        FramedCase{"LoneFirstBookRowIsReleasedConverted",
                   {{Setting::RcvFoot, "3"}, {Setting::BookJAN, "1"}, {Setting::BookJAN1, "1"}, {Setting::JAN2toISBN, "1"}},
                   "9784101010014\r",
                   "ISBN4-10-101001-3\r\n\r\n"},
        FramedCase{"LoneIsbnTextIsReleased",
                   {{Setting::RcvFoot, "3"}, {Setting::ISBN, "1"}, {Setting::BookJAN1, "1"}},
                   "ISBN4-10-101001-3\r",
                   "ISBN4-10-101001-3\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

// Every record that is received but not passed on leaves one line in COMRECV.LOG.
struct DropCase {
  const char* name;
  EngineFixture::Values settings;
  std::string bytes;
  const char* note;
  const char* written;
};

class DroppedRecord : public testing::TestWithParam<DropCase> {};

TEST_P(DroppedRecord, LeavesOneLineSayingWhy) {
  const DropCase& c = GetParam();
  EngineFixture f;
  f.connect(c.settings);
  f.receive(c.bytes);
  const std::string log = f.file("COMRECV.LOG");
  const std::string stamp = "08/03/28 14:05:";
  std::vector<std::string> notes;
  for (std::size_t at = log.find(stamp); at != std::string::npos; at = log.find(stamp, at + 1)) {
    const std::string line = log.substr(at + stamp.size() + 3, log.find("\r\n", at) - at - stamp.size() - 3);
    if (line.starts_with("[破棄]")) notes.push_back(line);
  }
  EXPECT_EQ(notes, (Lines{c.note}));
  EXPECT_EQ(f.file("out.txt"), c.written);
  EXPECT_TRUE(f.errorLines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DroppedRecord,
    testing::Values(
        DropCase{"UndecodableGs1Data", {{Setting::EANRead, "1"}}, "]C1XYZ",
                 "[破棄] ＧＳ１データとして解析できません: XYZ", ""},
        DropCase{"Gs1TailAfterAGroupSeparator", {{Setting::EANRead, "1"}}, "]C10104912345678904\x1D" "XYZ",
                 "[破棄] ＧＳ１データとして解析できません: XYZ", "0104912345678904\r\n"},
        DropCase{"Gs1FieldLongerThanItsIdentifierAllows", {{Setting::EANRead, "1"}}, "]C101049123456789049",
                 "[破棄] ＧＳ１データとして解析できません: 9", "0104912345678904\r\n"},
        DropCase{"Gs1CheckBlocksAWrongCheckDigit", {{Setting::EANRead, "1"}, {Setting::EANCheck, "2"}},
                 "]C10104912345678905",
                 "[破棄] ＧＳ１データの検査で不合格です: (01) チェックディジットが正しくありません: 04912345678905", ""},
        DropCase{"Gs1CheckBlocksADataMatrixRecord", {{Setting::EANRead, "1"}, {Setting::EANCheck, "2"}},
                 "]d20104912345678905" "17251332",
                 "[破棄] ＧＳ１データの検査で不合格です: (01) チェックディジットが正しくありません: 04912345678905 / "
                 "(17) 日付が正しくありません: 251332", ""},
        DropCase{"Gs1CheckBlocksADigitalLinkUri", {{Setting::EANRead, "1"}, {Setting::EANCheck, "2"}},
                 "https://id.gs1.org/01/04912345678905",
                 "[破棄] ＧＳ１データの検査で不合格です: (01) チェックディジットが正しくありません: 04912345678905", ""},
        DropCase{"MissingFooter", {{Setting::Select, "1"}, {Setting::RcvFoot, "3"}}, "ABC",
                 "[破棄] ヘッダーまたはフッターがありません: ABC", ""},
        DropCase{"MissingHeader", {{Setting::Select, "1"}, {Setting::RcvHead, "1"}, {Setting::RcvFoot, "3"}}, "ABC\r",
                 "[破棄] ヘッダーがありません", ""},
        DropCase{"LoneBookRowWithoutBookJan1",
                 {{Setting::BookJAN, "1"}, {Setting::BookJAN1, "0"}, {Setting::SPCWeight, "500"}},
                 "1920055024004",
                 "[破棄] 組になるデータが来ませんでした: 1920055024004", ""},
        DropCase{"MagazineWithoutAddOn", {{Setting::AddOn, "1"}}, "4910123456789",
                 "[破棄] アドオンコードがありません: 4910123456789", ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(EngineSteps, Gs1FindingsAreLoggedAndTheRecordIsTypedByDefault) {
  EngineFixture f;
  f.set(Setting::EANRead, "1");
  f.connect();
  f.port.arrive("]C10104912345678905");
  f.loop.runUntilIdle();
  EXPECT_NE(f.file("COMRECV.LOG").find("[GS1] (01) チェックディジットが正しくありません: 04912345678905\r\n"),
            std::string::npos);
  EXPECT_EQ(f.file("out.txt"), "0104912345678905\r\n");
}

}  // namespace
}  // namespace orbelin::app
