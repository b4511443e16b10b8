#include "convert/ean/SqliteDatabase.h"

#include <sqlite3.h>

namespace orbelin::convert::ean {

namespace {

int openFlags(OpenMode mode) {
  return mode == OpenMode::Create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READWRITE;
}

}  // namespace

void SqliteDatabase::Closer::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

SqliteDatabase::SqliteDatabase(const std::filesystem::path& path, OpenMode mode) {
  sqlite3* db = nullptr;
  // SQLite takes UTF-8 names everywhere, also where the system's own paths are UTF-16.
  const std::u8string name = path.u8string();
  const int rc = sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &db, openFlags(mode) | SQLITE_OPEN_NOMUTEX, nullptr);
  m_handle.reset(db);  // sqlite3_open_v2 hands out a handle even when it fails
  if (rc != SQLITE_OK) {
    const std::string reason = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw SqliteError(reason + " (" + path.string() + ")");
  }
  sqlite3_extended_result_codes(db, 1);
}

void SqliteDatabase::execute(const char* sql) {
  if (sqlite3_exec(m_handle.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK) throw SqliteError(lastError());
}

std::string SqliteDatabase::lastError() const { return sqlite3_errmsg(m_handle.get()); }

}  // namespace orbelin::convert::ean
