#include "convert/ean/SqliteStatement.h"

#include <sqlite3.h>

namespace orbelin::convert::ean {

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

SqliteStatement::SqliteStatement(SqliteDatabase& database, std::string_view sql) : m_database(database) {
  sqlite3_stmt* statement = nullptr;
  const int rc = sqlite3_prepare_v2(database.handle(), sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
  m_statement.reset(statement);
  if (rc != SQLITE_OK) throw SqliteError(database.lastError());
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
  if (sqlite3_bind_text(m_statement.get(), index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) !=
      SQLITE_OK) {
    throw SqliteError(m_database.lastError());
  }
  return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
  if (sqlite3_bind_int64(m_statement.get(), index, value) != SQLITE_OK) throw SqliteError(m_database.lastError());
  return *this;
}

bool SqliteStatement::step() {
  const int rc = sqlite3_step(m_statement.get());
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  throw SqliteError(m_database.lastError());
}

void SqliteStatement::run() {
  while (step()) {
  }
}

void SqliteStatement::reset() { sqlite3_reset(m_statement.get()); }

std::string SqliteStatement::text(int column) const {
  const auto* value = sqlite3_column_text(m_statement.get(), column);
  if (value == nullptr) return {};
  return {reinterpret_cast<const char*>(value), static_cast<std::size_t>(sqlite3_column_bytes(m_statement.get(), column))};
}

std::int64_t SqliteStatement::integer(int column) const { return sqlite3_column_int64(m_statement.get(), column); }

}  // namespace orbelin::convert::ean
