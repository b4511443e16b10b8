#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "convert/ean/AiRow.h"

namespace orbelin::convert::ean {

/// The EAN128 table of one database file, read once and again only when the file changed
/// (size, modification time or the database's own change counter, which every committed
/// write bumps even within one tick of the file system's clock), so that the AI editors' writes act from the next record
/// while an unchanged file costs a look at its directory entry instead of a database read.
class AiTableCache {
 public:
  explicit AiTableCache(std::filesystem::path database) : m_database(std::move(database)) {}

  /// The table as the file holds it now. Throws as the database read does when the file
  /// is missing or cannot be read; the cached copy is then dropped, so the failure is
  /// reported for every record until the file is readable again.
  const AiTable& table();

 private:
  struct Stamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    std::uint32_t changeCounter = 0;
    bool operator==(const Stamp&) const = default;
  };

  std::optional<Stamp> stampNow() const;

  std::filesystem::path m_database;
  std::optional<Stamp> m_stamp;
  AiTable m_table;
};

}  // namespace orbelin::convert::ean
