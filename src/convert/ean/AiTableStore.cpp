#include "convert/ean/AiTableStore.h"

#include "convert/ean/SqliteDatabase.h"
#include "convert/ean/SqliteStatement.h"

namespace orbelin::convert::ean {

namespace {

constexpr const char* kCreateTable =
    "CREATE TABLE EAN128 ("
    " AI TEXT NOT NULL,"
    " Name TEXT NOT NULL,"
    " MaxLen INTEGER NOT NULL,"
    " Plus INTEGER NOT NULL,"
    " Mark INTEGER NOT NULL,"
    " Out INTEGER NOT NULL CHECK (Out IN (0, 1)),"
    " SetNo INTEGER NOT NULL)";

constexpr std::string_view kInsertRow =
    "INSERT INTO EAN128 (AI, Name, MaxLen, Plus, Mark, Out, SetNo) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)";

// The stored order is the order of insertion, which the rowid keeps.
constexpr std::string_view kSelectStored =
    "SELECT AI, Name, MaxLen, Plus, Mark, Out, SetNo FROM EAN128 ORDER BY rowid";
constexpr std::string_view kSelectBySetNo =
    "SELECT AI, Name, MaxLen, Plus, Mark, Out, SetNo FROM EAN128 ORDER BY SetNo, rowid";

constexpr std::string_view kSelectAll = "UPDATE EAN128 SET Out = 1";
constexpr std::string_view kDeselect = "UPDATE EAN128 SET Out = 0 WHERE AI = ?1";
constexpr std::string_view kSetPosition = "UPDATE EAN128 SET SetNo = ?1 WHERE AI = ?2";

constexpr std::string_view kHasTable = "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'EAN128'";

int column32(const SqliteStatement& statement, int column) {
  return static_cast<int>(statement.integer(column));
}

AiTable readRows(const std::filesystem::path& path, std::string_view sql) {
  SqliteDatabase database(path, OpenMode::Existing);
  SqliteStatement select(database, sql);
  AiTable rows;
  while (select.step()) {
    rows.push_back(AiRow{select.text(0), select.text(1), column32(select, 2), column32(select, 3),
                         column32(select, 4), select.integer(5) != 0, column32(select, 6)});
  }
  return rows;
}

}  // namespace

AiTable AiTableStore::readAll() const { return readRows(m_path, kSelectStored); }

AiTable AiTableStore::readBySetNo() const { return readRows(m_path, kSelectBySetNo); }

void AiTableStore::selectAll() const {
  SqliteDatabase database(m_path, OpenMode::Existing);
  SqliteStatement(database, kSelectAll).run();
}

void AiTableStore::deselect(std::string_view ai) const {
  SqliteDatabase database(m_path, OpenMode::Existing);
  SqliteStatement(database, kDeselect).bind(1, ai).run();
}

void AiTableStore::setPosition(std::string_view ai, int setNo) const {
  SqliteDatabase database(m_path, OpenMode::Existing);
  SqliteStatement(database, kSetPosition).bind(1, std::int64_t{setNo}).bind(2, ai).run();
}

bool AiTableStore::hasTable() const {
  SqliteDatabase database(m_path, OpenMode::Existing);
  SqliteStatement count(database, kHasTable);
  return count.step() && count.integer(0) > 0;
}

void AiTableStore::create(const AiTable& rows) const {
  SqliteDatabase database(m_path, OpenMode::Create);
  database.execute("BEGIN");
  database.execute(kCreateTable);
  SqliteStatement insert(database, kInsertRow);
  for (const AiRow& row : rows) {
    insert.bind(1, row.ai).bind(2, row.name).bind(3, std::int64_t{row.maxLen}).bind(4, std::int64_t{row.plus});
    insert.bind(5, std::int64_t{row.mark}).bind(6, std::int64_t{row.out ? 1 : 0}).bind(7, std::int64_t{row.setNo});
    insert.run();
    insert.reset();
  }
  database.execute("COMMIT");
}

}  // namespace orbelin::convert::ean
