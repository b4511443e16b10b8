#pragma once

#include <filesystem>
#include <string_view>

#include "convert/ean/AiRow.h"

namespace orbelin::convert::ean {

/// The EAN128 table in its database file (QELT.PDF). Every call opens the file, does its
/// work and closes it again, so a change made by one call is seen by the next. Every
/// failure (missing file, not a database, no table, locked) throws SqliteError.
class AiTableStore {
 public:
  explicit AiTableStore(std::filesystem::path path) : m_path(std::move(path)) {}

  const std::filesystem::path& path() const { return m_path; }

  /// Every row in stored order (the order the rows were written in).
  AiTable readAll() const;
  /// Every row in output order: by SetNo, rows with the same SetNo in stored order.
  AiTable readBySetNo() const;
  /// Selects every identifier for output (Out = 1).
  void selectAll() const;
  /// Leaves the rows of one identifier out of the output (Out = 0).
  void deselect(std::string_view ai) const;
  /// Sets the output position (SetNo) of the rows of one identifier.
  void setPosition(std::string_view ai, int setNo) const;

  /// True when the file holds an EAN128 table; throws when it is no readable database.
  bool hasTable() const;
  /// Creates the EAN128 table in the file (creating the file when missing) and writes
  /// rows in order, all in one transaction. The file must not hold the table yet.
  void create(const AiTable& rows) const;

 private:
  std::filesystem::path m_path;
};

}  // namespace orbelin::convert::ean
