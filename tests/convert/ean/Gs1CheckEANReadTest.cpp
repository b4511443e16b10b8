#include <gtest/gtest.h>

#include "EanTestSupport.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/EANRead.h"
#include "support/Harness.h"

namespace orbelin::convert::ean {
namespace {

using settings::Setting;
using Lines = std::vector<std::string>;

// (01) with a wrong check digit and (17) with month 13.
constexpr std::string_view kFaultyRecord = "]C1" "0109501101530004" "17251332" "10AB1";

struct Gs1CheckEANReadTest : ::testing::Test {
  test::Harness h;
  test::RecordingBarcodeInfo monitor;
  settings::Settings s = test::bracketSettings();
  AiTable table = builtInAiTable();
  Lines notes;

  std::string read(std::string_view record, const char* mode) {
    s.set(Setting::EANCheck, mode);
    notes.clear();
    std::string discarded;
    return EANRead(record, s, table, h.reporter, monitor, &discarded, &notes);
  }
};

TEST_F(Gs1CheckEANReadTest, WarnTypesTheRecordAndLogsEachFinding) {
  EXPECT_EQ(read(kFaultyRecord, "1"), "(01)09501101530004(17)251332(10)AB1");
  EXPECT_EQ(notes, (Lines{"[GS1] (01) チェックディジットが正しくありません: 09501101530004",
                          "[GS1] (17) 日付が正しくありません: 251332"}));
  EXPECT_NE(monitor.shown().find("09501101530004  ×チェックディジットが正しくありません\r\n"), std::string::npos)
      << monitor.shown();
  EXPECT_NE(monitor.shown().find("251332  ×日付が正しくありません\r\n"), std::string::npos) << monitor.shown();
  EXPECT_TRUE(h.transcript.lines().empty());
}

TEST_F(Gs1CheckEANReadTest, BlockDropsTheSameRecordWithOneLine) {
  EXPECT_EQ(read(kFaultyRecord, "2"), "");
  EXPECT_EQ(notes, (Lines{"[破棄] ＧＳ１データの検査で不合格です: (01) チェックディジットが正しくありません: "
                          "09501101530004 / (17) 日付が正しくありません: 251332"}));
  EXPECT_NE(monitor.shown().find("×日付が正しくありません"), std::string::npos);
}

// The same faulty fields from every carrier and from a Digital Link URI, which puts the
// query's (17) after the path's (10).
struct CarrierRecord {
  const char* name;
  const char* record;
  const char* typed;
};

const CarrierRecord kCarrierRecords[] = {
    {"DataMatrix", "]d2" "0109501101530004" "17251332" "10AB1", "(01)09501101530004(17)251332(10)AB1"},
    {"DataBar", "]e0" "0109501101530004" "17251332" "10AB1", "(01)09501101530004(17)251332(10)AB1"},
    {"QrCode", "]Q3" "0109501101530004" "17251332" "10AB1", "(01)09501101530004(17)251332(10)AB1"},
    {"DotCode", "]J1" "0109501101530004" "17251332" "10AB1", "(01)09501101530004(17)251332(10)AB1"},
    {"DigitalLink", "]Q1https://id.gs1.org/01/09501101530004/10/AB1?17=251332", "(01)09501101530004(10)AB1(17)251332"},
};

struct CarrierChecks : Gs1CheckEANReadTest, ::testing::WithParamInterface<CarrierRecord> {};

TEST_P(CarrierChecks, WarnAndBlockLikeTheStartCode) {
  const CarrierRecord& c = GetParam();
  EXPECT_EQ(read(c.record, "1"), c.typed);
  EXPECT_EQ(notes, (Lines{"[GS1] (01) チェックディジットが正しくありません: 09501101530004",
                          "[GS1] (17) 日付が正しくありません: 251332"}));
  EXPECT_NE(monitor.shown().find("09501101530004  ×チェックディジットが正しくありません\r\n"), std::string::npos)
      << monitor.shown();
  EXPECT_EQ(read(c.record, "2"), "");
  EXPECT_EQ(notes, (Lines{"[破棄] ＧＳ１データの検査で不合格です: (01) チェックディジットが正しくありません: "
                          "09501101530004 / (17) 日付が正しくありません: 251332"}));
  EXPECT_NE(monitor.shown().find("251332  ×日付が正しくありません\r\n"), std::string::npos) << monitor.shown();
  EXPECT_TRUE(h.transcript.lines().empty());
}

INSTANTIATE_TEST_SUITE_P(Carriers, CarrierChecks, ::testing::ValuesIn(kCarrierRecords),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Gs1CheckEANReadTest, OffChecksNothing) {
  EXPECT_EQ(read(kFaultyRecord, "0"), "(01)09501101530004(17)251332(10)AB1");
  EXPECT_TRUE(notes.empty());
  EXPECT_EQ(monitor.shown().find("×"), std::string::npos);
}

TEST_F(Gs1CheckEANReadTest, PairingRulesOnlyWarnEvenWhenBlocking) {
  EXPECT_EQ(read("]C1" "17251231" "10AB1", "2"), "(17)251231(10)AB1");
  EXPECT_EQ(notes, (Lines{"[GS1] (17) 一緒に必要な (01) (02) (03) (255) (8006) (8026) のどれもありません",
                          "[GS1] (10) 一緒に必要な (01) (02) (03) (8006) (8026) のどれもありません"}));
}

TEST_F(Gs1CheckEANReadTest, AGoodRecordLeavesNoLine) {
  EXPECT_EQ(read("]C1" "0109501101530003" "17250200" "10AB1", "2"), "(01)09501101530003(17)250200(10)AB1");
  EXPECT_TRUE(notes.empty());
}

TEST_F(Gs1CheckEANReadTest, AnAiTheUserAddedIsNotChecked) {
  table.push_back(test::aiRow("26", 10));
  EXPECT_EQ(read("]C1" "0109501101530003" "26ABC", "2"), "(01)09501101530003(26)ABC");
  EXPECT_TRUE(notes.empty());
  // A measure digit that the built-in family row accepts but GS1 never assigned.
  EXPECT_EQ(read("]C1" "0109501101530003" "3106000100", "2"), "");
  EXPECT_EQ(notes, (Lines{"[破棄] ＧＳ１データの検査で不合格です: (3106) 存在しないＡＩです: 000100"}));
}

}  // namespace
}  // namespace orbelin::convert::ean
