#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "convert/ean/SqliteDatabase.h"

struct sqlite3_stmt;

namespace orbelin::convert::ean {

/// One prepared statement with bound parameters; finalized when the object goes.
/// Every failure throws SqliteError with the engine's description.
class SqliteStatement {
 public:
  SqliteStatement(SqliteDatabase& database, std::string_view sql);

  /// Binds text to the 1-based parameter index (copied by the engine).
  SqliteStatement& bind(int index, std::string_view text);
  SqliteStatement& bind(int index, std::int64_t value);

  /// Advances to the next row: true while a row is available, false when done.
  bool step();
  /// Runs a statement that returns no rows to its end.
  void run();
  /// Makes the statement ready to run again; bound values stay until bound anew.
  void reset();

  /// Column values of the current row, 0-based; NULL reads as "" or 0.
  std::string text(int column) const;
  std::int64_t integer(int column) const;

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* statement) const;
  };
  SqliteDatabase& m_database;
  std::unique_ptr<sqlite3_stmt, Finalizer> m_statement;
};

}  // namespace orbelin::convert::ean
