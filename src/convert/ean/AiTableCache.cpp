#include "convert/ean/AiTableCache.h"

#include <array>
#include <cstdio>
#include <memory>
#include <system_error>

#include "convert/ean/AiTableStore.h"

namespace orbelin::convert::ean {

namespace {

// The file change counter of an SQLite database: four big-endian bytes at offset 24 of
// its header, incremented by every transaction that changes the file.
constexpr long kChangeCounterOffset = 24;

}  // namespace

std::optional<AiTableCache::Stamp> AiTableCache::stampNow() const {
  // One look at the directory entry serves both size and time.
  std::error_code error;
  const std::filesystem::directory_entry entry(m_database, error);
  if (error) return std::nullopt;
  Stamp stamp{entry.file_size(error), {}};
  if (error) return std::nullopt;
  stamp.modified = entry.last_write_time(error);
  if (error) return std::nullopt;
  const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(m_database.string().c_str(), "rb"),
                                                                 &std::fclose);
  std::array<unsigned char, 4> counter{};
  if (!file || std::fseek(file.get(), kChangeCounterOffset, SEEK_SET) != 0 ||
      std::fread(counter.data(), 1, counter.size(), file.get()) != counter.size()) {
    return std::nullopt;
  }
  for (const unsigned char byte : counter) stamp.changeCounter = (stamp.changeCounter << 8) | byte;
  return stamp;
}

const AiTable& AiTableCache::table() {
  const std::optional<Stamp> now = stampNow();
  if (now && m_stamp == now) return m_table;
  // A file that cannot be looked at is read anyway, so that its failure is the database's
  // own, reported as it always was.
  m_stamp.reset();
  m_table = AiTableStore(m_database).readAll();
  m_stamp = now;
  return m_table;
}

}  // namespace orbelin::convert::ean
