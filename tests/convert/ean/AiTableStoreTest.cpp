#include <gtest/gtest.h>

#include <filesystem>

#include "EanTestSupport.h"
#include "convert/ean/AiTableStore.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/SqliteDatabase.h"
#include "convert/ean/SqliteStatement.h"
#include "support/TempDir.h"

namespace orbelin::convert::ean {
namespace {

using test::aiRow;

std::vector<std::string> identifiers(const AiTable& rows) {
  std::vector<std::string> out;
  for (const AiRow& row : rows) out.push_back(row.ai);
  return out;
}

struct AiTableStoreTest : ::testing::Test {
  test::TempDir dir;
  AiTableStore store{dir / "QELT.PDF"};
};

TEST_F(AiTableStoreTest, KeepsTheStoredOrderAndOrdersBySetNoWithTiesInStoredOrder) {
  store.create({aiRow("10", 20, 0, 0, 3), aiRow("01", 14, 0, 0, 1), aiRow("21", 20, 0, 0, 3), aiRow("17", 6, 0, 2, 2)});
  EXPECT_EQ(identifiers(store.readAll()), (std::vector<std::string>{"10", "01", "21", "17"}));
  EXPECT_EQ(identifiers(store.readBySetNo()), (std::vector<std::string>{"01", "17", "10", "21"}));
  EXPECT_EQ(store.readAll()[3], (AiRow{"17", "NAME 17", 6, 0, 2, true, 2}));
}

TEST_F(AiTableStoreTest, SelectsAndDeselectsIdentifiers) {
  store.create({aiRow("01", 14), aiRow("10", 20), aiRow("21", 20)});
  store.deselect("10");
  store.deselect("21");
  store.deselect("99");  // not in the table: changes nothing
  AiTable rows = store.readAll();
  EXPECT_EQ((std::vector<bool>{rows[0].out, rows[1].out, rows[2].out}), (std::vector<bool>{true, false, false}));
  store.selectAll();
  rows = store.readAll();
  EXPECT_EQ((std::vector<bool>{rows[0].out, rows[1].out, rows[2].out}), (std::vector<bool>{true, true, true}));
}

TEST_F(AiTableStoreTest, SetsTheOutputPosition) {
  store.create(test::numbered({aiRow("01", 14), aiRow("10", 20), aiRow("21", 20)}));
  store.setPosition("01", 3);
  store.setPosition("21", 1);
  EXPECT_EQ(identifiers(store.readBySetNo()), (std::vector<std::string>{"21", "10", "01"}));
}

// The identifier is a bound value: a quote in it neither breaks the statement nor
// reaches other rows.
TEST_F(AiTableStoreTest, IdentifiersAreBoundNotPastedIntoTheStatement) {
  store.create(test::numbered({aiRow("01", 14), aiRow("1' OR '1'='1", 20)}));
  store.deselect("1' OR '1'='1");
  store.setPosition("1' OR '1'='1", 7);
  const AiTable rows = store.readAll();
  EXPECT_TRUE(rows[0].out);
  EXPECT_EQ(rows[0].setNo, 1);
  EXPECT_FALSE(rows[1].out);
  EXPECT_EQ(rows[1].setNo, 7);
}

TEST_F(AiTableStoreTest, EveryCallFailsOnAMissingFileWithoutCreatingIt) {
  EXPECT_THROW(store.readAll(), SqliteError);
  EXPECT_THROW(store.selectAll(), SqliteError);
  EXPECT_THROW(store.deselect("01"), SqliteError);
  EXPECT_FALSE(std::filesystem::exists(store.path()));
}

TEST_F(AiTableStoreTest, AFileWithoutTheTableFailsWithTheEnginesDescription) {
  SqliteDatabase(store.path(), OpenMode::Create).execute("CREATE TABLE Other (x)");
  EXPECT_FALSE(store.hasTable());
  try {
    store.readAll();
    FAIL() << "no failure";
  } catch (const SqliteError& failure) {
    EXPECT_STREQ(failure.what(), "no such table: EAN128");
  }
}

TEST(SqliteStatement, ReadsNullAsEmptyAndFailsOnBadStatements) {
  test::TempDir dir;
  SqliteDatabase database(dir / "x.db", OpenMode::Create);
  database.execute("CREATE TABLE T (a TEXT, b INTEGER); INSERT INTO T VALUES (NULL, NULL)");
  SqliteStatement select(database, "SELECT a, b FROM T");
  ASSERT_TRUE(select.step());
  EXPECT_EQ(select.text(0), "");
  EXPECT_EQ(select.integer(1), 0);
  EXPECT_FALSE(select.step());
  EXPECT_THROW(SqliteStatement(database, "SELEKT 1"), SqliteError);
  EXPECT_THROW(database.execute("INSERT INTO Missing VALUES (1)"), SqliteError);
}

struct EnsureAiDatabaseTest : ::testing::Test {
  test::TempDir dir;
  std::filesystem::path path = dir / "QELT.PDF";
};

TEST_F(EnsureAiDatabaseTest, CreatesAMissingFileFromTheBuiltInTable) {
  EXPECT_EQ(ensureAiDatabase(path).state, AiDatabaseState::Created);
  EXPECT_EQ(AiTableStore(path).readAll(), builtInAiTable());
}

TEST_F(EnsureAiDatabaseTest, LeavesAPresentTableAsTheUserEditedIt) {
  AiTableStore(path).create({aiRow("01", 14)});
  AiTableStore(path).deselect("01");
  EXPECT_EQ(ensureAiDatabase(path).state, AiDatabaseState::Present);
  const AiTable rows = AiTableStore(path).readAll();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_FALSE(rows[0].out);
}

TEST_F(EnsureAiDatabaseTest, FillsADatabaseThatHasNoTableAndAnEmptyFile) {
  SqliteDatabase(path, OpenMode::Create).execute("CREATE TABLE Other (x)");
  EXPECT_EQ(ensureAiDatabase(path).state, AiDatabaseState::Created);
  EXPECT_EQ(AiTableStore(path).readAll().size(), builtInAiTable().size());

  const std::filesystem::path empty = dir / "EMPTY.PDF";
  test::writeFile(empty, "");
  EXPECT_EQ(ensureAiDatabase(empty).state, AiDatabaseState::Created);
  EXPECT_EQ(AiTableStore(empty).readAll().size(), builtInAiTable().size());
}

TEST_F(EnsureAiDatabaseTest, NeverOverwritesAFileItCannotRead) {
  const std::string junk(4096, 'x');
  test::writeFile(path, junk);
  const AiDatabaseCheck check = ensureAiDatabase(path);
  EXPECT_EQ(check.state, AiDatabaseState::Unreadable);
  EXPECT_EQ(check.detail, "file is not a database");
  EXPECT_EQ(test::readFile(path), junk);
}

TEST_F(EnsureAiDatabaseTest, ALockedFileIsLeftAloneUntilTheLockGoes) {
  SqliteDatabase(path, OpenMode::Create).execute("CREATE TABLE Other (x)");
  {
    SqliteDatabase holder(path, OpenMode::Existing);
    holder.execute("BEGIN EXCLUSIVE");
    const AiDatabaseCheck check = ensureAiDatabase(path);
    EXPECT_EQ(check.state, AiDatabaseState::Unreadable);
    EXPECT_EQ(check.detail, "database is locked");
  }
  EXPECT_EQ(ensureAiDatabase(path).state, AiDatabaseState::Created);
}

TEST_F(EnsureAiDatabaseTest, AFolderInThePlaceOfTheFileIsUnreadable) {
  std::filesystem::create_directory(path);
  EXPECT_EQ(ensureAiDatabase(path).state, AiDatabaseState::Unreadable);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(EnsureAiDatabaseTest, WriteAiDatabaseReplacesTheFile) {
  test::writeFile(path, "old");
  writeAiDatabase(path);
  EXPECT_EQ(AiTableStore(path).readAll(), builtInAiTable());
  EXPECT_FALSE(std::filesystem::exists(dir / "QELT.PDF.new"));
}

}  // namespace
}  // namespace orbelin::convert::ean
