#pragma once

#include <filesystem>
#include <string>

#include "convert/ean/AiRow.h"

namespace orbelin::convert::ean {

/// The delivered GS1 Application Identifier table, built into the program from
/// data/gs1-ai-table.csv.
const AiTable& builtInAiTable();

/// What ensureAiDatabase found.
enum class AiDatabaseState {
  Present,     ///< the file holds an EAN128 table; left as it is
  Created,     ///< the file was missing or had no EAN128 table; the built-in table was written
  Unreadable,  ///< the file exists but could not be read (or written); left untouched
};

struct AiDatabaseCheck {
  AiDatabaseState state = AiDatabaseState::Present;
  std::string detail;  ///< the engine's description when Unreadable
};

/// Makes sure the database file at path holds an EAN128 table, writing the built-in one
/// when the file is missing or has none. A file that exists but cannot be read (not a
/// database, locked, no permission) is never overwritten. Never throws.
AiDatabaseCheck ensureAiDatabase(const std::filesystem::path& path);

/// Writes a new database file at path holding the built-in table, replacing whatever is
/// there. Throws SqliteError or std::filesystem::filesystem_error.
void writeAiDatabase(const std::filesystem::path& path);

}  // namespace orbelin::convert::ean
