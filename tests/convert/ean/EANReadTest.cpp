#include <gtest/gtest.h>

#include "EanTestSupport.h"
#include "convert/ean/AiTableStore.h"
#include "convert/ean/EANRead.h"
#include "convert/ean/SqliteDatabase.h"
#include "support/Harness.h"

namespace orbelin::convert::ean {
namespace {

using settings::Setting;
using test::aiRow;

constexpr const char* kDatabaseBox = "msgbox warning \"EANRead\" \"ＥＡＮ１２８用ＤＢが読み込めませんでした\"";

struct EANReadTest : ::testing::Test {
  test::Harness h;
  test::RecordingBarcodeInfo monitor;
  settings::Settings s = test::bracketSettings();
  AiTable table = test::numbered({aiRow("01", 14), aiRow("10", 20), aiRow("310", 6, 1, kMarkDecimal),
                                  aiRow("17", 6, 0, kMarkDate), aiRow("21", 20)});

  std::string read(std::string_view record) { return EANRead(record, s, table, h.reporter, monitor); }
  AiTableCache cache{h.paths.database()};
  // Through the cache, as the pipeline reads it: every check of reading from the file
  // holds for the cached table too.
  std::string readFromFile(std::string_view record) { return EANRead(record, s, cache, h.reporter, monitor); }
  void saveTable() { AiTableStore(h.paths.database()).create(table); }
};

TEST_F(EANReadTest, SplitsTheRecordByTheTableInTheDatabase) {
  saveTable();
  EXPECT_EQ(readFromFile("]C10112345678901234" "10ABC"), "(01)12345678901234(10)ABC");
  EXPECT_TRUE(h.transcript.lines().empty());
}

// With EANSymbology "0" the start code alone decides; CarrierTest reads the identifiers.
TEST_F(EANReadTest, ARecordWithoutTheStartCodePassesWithoutOpeningTheDatabase) {
  s.set(Setting::EANSymbology, "0");
  EXPECT_EQ(readFromFile("0112345678901234\r"), "0112345678901234\r");
  EXPECT_EQ(readFromFile("]C"), "]C");  // shorter than the start code
  s.set(Setting::EANStartCD, "");
  EXPECT_EQ(readFromFile("]C10112345678901234"), "]C10112345678901234");
  EXPECT_EQ(readFromFile(""), "");
  EXPECT_TRUE(h.transcript.lines().empty());
  EXPECT_TRUE(monitor.texts.empty());
}

TEST_F(EANReadTest, AnotherStartCodeIsRemovedInTheSameWay) {
  s.set(Setting::EANSymbology, "0");
  s.set(Setting::EANStartCD, "]d2");
  EXPECT_EQ(read("]d2" "10A"), "(10)A");
  EXPECT_EQ(read("]C1" "10A"), "]C1" "10A");
}

TEST_F(EANReadTest, AnUnreadableDatabaseIsReportedAndNothingIsTyped) {
  EXPECT_EQ(readFromFile("]C110ABC"), "");
  test::writeFile(h.paths.database(), std::string(2048, 'x'));
  EXPECT_EQ(readFromFile("]C110ABC"), "");
  EXPECT_EQ(h.transcript.lines(), (std::vector<std::string>{kDatabaseBox, kDatabaseBox}));
  const std::vector<std::string> log = h.errorLines();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "[EANRead] SQLite:unable to open database file (" + h.paths.database().string() + ")");
  EXPECT_EQ(log[1], "[EANRead] SQLite:file is not a database");
  EXPECT_EQ(test::readFile(h.paths.database()), std::string(2048, 'x'));
}

TEST_F(EANReadTest, ALockedDatabaseIsReportedAndNothingIsTyped) {
  saveTable();
  SqliteDatabase holder(h.paths.database(), OpenMode::Existing);
  holder.execute("BEGIN EXCLUSIVE");
  EXPECT_EQ(readFromFile("]C110ABC"), "");
  EXPECT_EQ(h.transcript.lines(), (std::vector<std::string>{kDatabaseBox}));
  EXPECT_EQ(h.errorLines(), (std::vector<std::string>{"[EANRead] SQLite:database is locked"}));
  holder.execute("COMMIT");
  EXPECT_EQ(readFromFile("]C110ABC"), "(10)ABC");
}

TEST_F(EANReadTest, ATableEditTakesEffectWithTheNextRecord) {
  saveTable();
  s.set(Setting::EANAISelect, "1");
  EXPECT_EQ(readFromFile("]C110A\x1D" "21B"), "(10)A(21)B");
  AiTableStore(h.paths.database()).deselect("10");
  EXPECT_EQ(readFromFile("]C110A\x1D" "21B"), "(21)B");
}

TEST_F(EANReadTest, AVanishedOrReplacedFileIsReadAgainNotServedFromTheCache) {
  saveTable();
  EXPECT_EQ(readFromFile("]C110A\x1D" "21B"), "(10)A(21)B");
  std::filesystem::remove(h.paths.database());
  EXPECT_EQ(readFromFile("]C110A\x1D" "21B"), "");
  EXPECT_EQ(h.transcript.lines(), (std::vector<std::string>{kDatabaseBox}));
  table = test::numbered({aiRow("21", 20)});
  saveTable();
  EXPECT_NE(readFromFile("]C110A\x1D" "21B"), "(10)A(21)B");
}

TEST_F(EANReadTest, SendModesShowBracketOrLeaveOutTheIdentifier) {
  s.set(Setting::EANSend, "1");
  EXPECT_EQ(read("]C110A\x1D" "21B"), "10A21B");
  s.set(Setting::EANSend, "2");
  EXPECT_EQ(read("]C110A\x1D" "21B"), "AB");
  s.set(Setting::EANSend, "3");
  EXPECT_EQ(read("]C110A\x1D" "21B"), "(10)A(21)B");
}

TEST_F(EANReadTest, ADeselectedIdentifierLosesItsTextAndWithAISelectItsData) {
  table[1].out = false;
  EXPECT_EQ(read("]C110A\x1D" "21B"), "A(21)B");
  s.set(Setting::EANAISelect, "1");
  EXPECT_EQ(read("]C110A\x1D" "21B"), "(21)B");
}

TEST_F(EANReadTest, TheSeparatorJoinsTheFieldsAndDoesNotEndTheOutput) {
  s.set(Setting::EANSeparate, "44");
  EXPECT_EQ(read("]C10112345678901234" "10ABC\x1D" "21X"), "(01)12345678901234,(10)ABC,(21)X");
  table[1].out = false;
  s.set(Setting::EANAISelect, "1");
  EXPECT_EQ(read("]C10112345678901234" "21X\x1D" "10ABC"), "(01)12345678901234,(21)X");
}

TEST_F(EANReadTest, ASeparatorThatIsNoNumberFailsTheRecord) {
  s.set(Setting::EANSeparate, "x");
  EXPECT_EQ(read("]C110A"), "");
  EXPECT_EQ(h.transcript.lines(), (std::vector<std::string>{kDatabaseBox}));
  ASSERT_EQ(h.errorLines().size(), 1u);
  EXPECT_EQ(h.errorLines()[0], "[EANRead] QELT:型が一致しません。");
}

TEST_F(EANReadTest, DecimalPointsAreInsertedByTheIdentifiersLastDigit) {
  s.set(Setting::EANDecimal, "1");
  EXPECT_EQ(read("]C13102001234"), "(3102)0012.34");
  EXPECT_EQ(read("]C131040012"), "(3104)0.0012");  // as many decimals as digits
  EXPECT_EQ(read("]C131050012"), "(3105)0012");    // more decimals than digits: unchanged
  EXPECT_EQ(read("]C13100001234"), "(3100)001234");
  EXPECT_EQ(read("]C1310X001234"), "(310X)001234");
  s.set(Setting::EANDecimal, "0");
  EXPECT_EQ(read("]C13102001234"), "(3102)001234");
}

TEST_F(EANReadTest, DatesAreWrittenWithSlashes) {
  s.set(Setting::EANDate, "1");
  EXPECT_EQ(read("]C117260131"), "(17)26/01/31");
  EXPECT_EQ(read("]C11726013"), "(17)26013");  // fewer than six characters
  s.set(Setting::EANDate, "0");
  EXPECT_EQ(read("]C117260131"), "(17)260131");
}

TEST_F(EANReadTest, SortedOutputFollowsSetNo) {
  table[0].setNo = 3;  // 01
  table[1].setNo = 1;  // 10
  table[4].setNo = 2;  // 21
  s.set(Setting::EANSort, "1");
  EXPECT_EQ(read("]C10112345678901234" "21X\x1D" "10A"), "(10)A(21)X(01)12345678901234");
  s.set(Setting::EANSort, "0");
  EXPECT_EQ(read("]C10112345678901234" "21X\x1D" "10A"), "(01)12345678901234(21)X(10)A");
}

TEST_F(EANReadTest, SortedOutputGivesEachPositionToTheFirstFoundRowOnly) {
  table[1].setNo = 1;  // 10
  table[4].setNo = 1;  // 21
  table[0].setNo = 0;  // 01: no position, never output
  table[3].setNo = 7;  // 17: beyond the rows + 1
  s.set(Setting::EANSort, "1");
  EXPECT_EQ(read("]C121X\x1D" "10A\x1D" "0112345678901234" "17260131"), "(10)A");
  EXPECT_EQ(read("]C121X"), "(21)X");
  table[3].setNo = 6;  // the rows + 1 still counts
  EXPECT_EQ(read("]C117260131"), "(17)260131");
}

TEST_F(EANReadTest, ARepeatedIdentifierKeepsEachValueApart) {
  EXPECT_EQ(read("]C110AB\x1D" "21X\x1D" "10CD"), "(10)AB(21)X(10)CD");
  table[1].setNo = 2;  // 10
  table[4].setNo = 1;  // 21
  s.set(Setting::EANSort, "1");
  EXPECT_EQ(read("]C110AB\x1D" "21X\x1D" "10CD"), "(21)X(10)AB(10)CD");
}

TEST_F(EANReadTest, TheTailFollowsTheOutputAndTheListing) {
  s.set(Setting::EANSeparate, "44");
  EXPECT_EQ(read("]C110AB\x1D" "21X\r\n"), "(10)AB,(21)X\r\n");
  EXPECT_EQ(monitor.shown().substr(monitor.shown().size() - 2), "\r\n");
}

TEST_F(EANReadTest, TheListingShowsEveryFieldWithItsDisplayForm) {
  s.set(Setting::EANCheck, "0");  // fragments of a label: the checks' marks are tested apart
  s.set(Setting::EANDecimal, "1");
  s.set(Setting::EANDate, "1");
  table[4].name = "SERIAL NUMBER OF THE PRODUCT ITEM";  // 33 bytes, cut to 30
  table[3].name = "有効期限";
  read("]C131020012\x1D" "21X\x1D" "17260131");
  EXPECT_EQ(monitor.texts.front(), "");
  EXPECT_EQ(monitor.shown(),
            "【3102:NAME 310                      】0012  (00.12)\r\n"
            "【21  :SERIAL NUMBER OF THE PRODUCT I】X\r\n"
            "【17  :有効期限                      】260131  (26/01/31)\r\n");
}

TEST_F(EANReadTest, TheListingNeverCutsADoubleByteCharacterInTwo) {
  table[1].name = "12345678901234567890123456789" "品";  // 29 + 2 bytes
  s.set(Setting::EANCheck, "0");
  read("]C110A");
  EXPECT_EQ(monitor.shown(), "【10  :12345678901234567890123456789 】A\r\n");
}

struct UndecodableCase {
  const char* name;
  const char* record;
  const char* output;
  const char* discarded;
};

class UndecodableData : public EANReadTest, public ::testing::WithParamInterface<UndecodableCase> {};

TEST_P(UndecodableData, IsDroppedAndShownAsDropped) {
  const UndecodableCase& c = GetParam();
  std::string discarded;
  EXPECT_EQ(EANRead(c.record, s, table, h.reporter, monitor, &discarded), c.output);
  EXPECT_EQ(discarded, c.discarded);
  EXPECT_TRUE(monitor.shown().ends_with(std::string("【破棄】") + c.discarded + "\r\n")) << monitor.shown();
  EXPECT_TRUE(h.transcript.lines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, UndecodableData,
    ::testing::Values(UndecodableCase{"NoKnownIdentifier", "]C1XYZ", "", "XYZ"},
                      UndecodableCase{"TailAfterAGroupSeparator", "]C110AB\x1D" "XYZ", "(10)AB", "XYZ"},
                      UndecodableCase{"FieldLongerThanItsIdentifierAllows", "]C10112345678901234" "9",
                                      "(01)12345678901234", "9"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(EANReadTest, DoubleByteDataSurvives) {
  EXPECT_EQ(read("]C121製品番号"), "(21)製品番号");
}

}  // namespace
}  // namespace orbelin::convert::ean
