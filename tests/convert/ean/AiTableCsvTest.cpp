#include <gtest/gtest.h>

#include <set>

#include "convert/ean/AiTableCsv.h"
#include "convert/ean/AiTableStore.h"
#include "convert/ean/BuiltInAiTable.h"
#include "support/TempDir.h"

namespace orbelin::convert::ean {
namespace {

TEST(AiTableCsv, ReadsRowsWithQuotedNames) {
  const AiTable rows = parseAiTableCsv(
      "AI,Name,MaxLen,Plus,Mark,Out,SetNo\n"
      "01,GTIN,14,0,0,1,1\r\n"
      "331,\"LENGTH (m), log\",6,1,1,0,2\n"
      "9,\"SAY \"\"HI\"\"\",90,0,0,1,3");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (AiRow{"01", "GTIN", 14, 0, 0, true, 1}));
  EXPECT_EQ(rows[1], (AiRow{"331", "LENGTH (m), log", 6, 1, 1, false, 2}));
  EXPECT_EQ(rows[2].name, "SAY \"HI\"");
}

TEST(AiTableCsv, RejectsMalformedText) {
  const char* bad[] = {
      "",
      "AI,Name\n01,GTIN\n",
      "AI,Name,MaxLen,Plus,Mark,Out,SetNo\n01,GTIN,14,0,0,1\n",
      "AI,Name,MaxLen,Plus,Mark,Out,SetNo\n01,GTIN,x,0,0,1,1\n",
      "AI,Name,MaxLen,Plus,Mark,Out,SetNo\n01,GTIN,14,0,0,2,1\n",
      "AI,Name,MaxLen,Plus,Mark,Out,SetNo\n,GTIN,14,0,0,1,1\n",
      "AI,Name,MaxLen,Plus,Mark,Out,SetNo\n01,\"GTIN,14,0,0,1,1\n",
  };
  for (const char* text : bad) EXPECT_THROW(parseAiTableCsv(text), std::invalid_argument) << text;
}

TEST(BuiltInAiTable, IsTheDeliveredTable) {
  const AiTable& table = builtInAiTable();
  ASSERT_EQ(table.size(), 214u);
  EXPECT_EQ(table.front(), (AiRow{"00", "SSCC", 18, 0, 0, true, 1}));
  EXPECT_EQ(table.back(), (AiRow{"99", "INTERNAL", 90, 0, 0, true, 214}));
  EXPECT_EQ(table, parseAiTableCsv(test::readFile(ORBELIN_DATA_DIR "/gs1-ai-table.csv")));
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].setNo, static_cast<int>(i + 1)) << table[i].ai;
    EXPECT_TRUE(table[i].out) << table[i].ai;
  }
}

// A row whose AI begins another row's AI would always be matched first and shadow it
// (a hand-added "31" would swallow 310-316).
TEST(BuiltInAiTable, NoIdentifierIsAPrefixOfAnother) {
  const AiTable& table = builtInAiTable();
  for (const AiRow& shorter : table) {
    for (const AiRow& longer : table) {
      if (&shorter == &longer) continue;
      EXPECT_FALSE(longer.ai.starts_with(shorter.ai)) << shorter.ai << " shadows " << longer.ai;
    }
  }
}

TEST(BuiltInAiTable, FamiliesCarryTheirDecimalDigitAndDatesAreMarked) {
  std::set<std::string> plusRows;
  std::set<std::string> dateRows;
  for (const AiRow& row : builtInAiTable()) {
    if (row.plus > 0) plusRows.insert(row.ai);
    if (row.mark == kMarkDate) dateRows.insert(row.ai);
    // The digit after a measure's AI counts decimals; after 703 and 723 it is a sequence number.
    const bool sequenceNumber = row.ai == "703" || row.ai == "723";
    if (row.plus > 0) {
      EXPECT_EQ(row.mark, sequenceNumber ? 0 : kMarkDecimal) << row.ai;
    }
  }
  EXPECT_EQ(plusRows.size(), 53u + 6u + 2u);
  EXPECT_EQ(dateRows, (std::set<std::string>{"11", "12", "13", "15", "16", "17", "4326", "7006"}));
}

TEST(BuiltInAiTable, TheBuildPutsItBesideThePrograms) {
  EXPECT_EQ(AiTableStore(ORBELIN_BIN_DIR "/QELT.PDF").readAll(), builtInAiTable());
}

}  // namespace
}  // namespace orbelin::convert::ean
