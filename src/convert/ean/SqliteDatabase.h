#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;

namespace orbelin::convert::ean {

/// The error source written to the error log for database failures.
inline constexpr std::string_view kSqliteSource = "SQLite";

/// A failure of the database engine, carrying its description.
class SqliteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// How a database file is opened.
enum class OpenMode {
  Existing,  ///< the file must exist; opened read-write, or read-only when write-protected
  Create,    ///< as Existing, but an empty database is created when the file is missing
};

/// One open SQLite database; closed when the object goes.
class SqliteDatabase {
 public:
  /// Opens path; throws SqliteError when the file cannot be opened.
  SqliteDatabase(const std::filesystem::path& path, OpenMode mode);

  /// Runs statements that take no parameters and return no rows; throws SqliteError.
  void execute(const char* sql);

  sqlite3* handle() const { return m_handle.get(); }
  /// The engine's description of the last failure on this connection.
  std::string lastError() const;

 private:
  struct Closer {
    void operator()(sqlite3* db) const;
  };
  std::unique_ptr<sqlite3, Closer> m_handle;
};

}  // namespace orbelin::convert::ean
