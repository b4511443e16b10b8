#include "convert/ean/BuiltInAiTable.h"

#include <string_view>
#include <system_error>

#include "convert/ean/AiTableCsv.h"
#include "convert/ean/AiTableStore.h"
#include "convert/ean/SqliteDatabase.h"

namespace orbelin::convert::ean {

namespace {

#include "convert/ean/BuiltInAiTableCsv.inc"

}  // namespace

const AiTable& builtInAiTable() {
  static const AiTable table = parseAiTableCsv(kBuiltInAiTableCsv);
  return table;
}

AiDatabaseCheck ensureAiDatabase(const std::filesystem::path& path) {
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  if (error) return {AiDatabaseState::Unreadable, error.message()};
  try {
    const AiTableStore store(path);
    if (exists && store.hasTable()) return {AiDatabaseState::Present, {}};
    store.create(builtInAiTable());
    return {AiDatabaseState::Created, {}};
  } catch (const std::exception& failure) {
    return {AiDatabaseState::Unreadable, failure.what()};
  }
}

void writeAiDatabase(const std::filesystem::path& path) {
  std::filesystem::path fresh = path;
  fresh += ".new";
  std::filesystem::remove(fresh);
  AiTableStore(fresh).create(builtInAiTable());
  std::filesystem::rename(fresh, path);
}

}  // namespace orbelin::convert::ean
