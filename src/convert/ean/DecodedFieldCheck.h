#pragma once

#include <string>
#include <vector>

#include "convert/ean/AiRow.h"
#include "convert/ean/ElementString.h"
#include "convert/ean/Gs1Check.h"
#include "settings/Settings.h"

namespace orbelin::convert::ean {

/// EANCheck: "0" no checks, "2" a record with a finding about its data is not passed on,
/// anything else (the default "1") findings are logged and the record goes on.
enum class Gs1CheckMode { Off, Warn, Block };

Gs1CheckMode gs1CheckModeOf(const settings::Settings& settings);

/// The checks of one decoded record.
struct DecodedFieldCheck {
  std::vector<Gs1FieldToCheck> fields;  ///< one per split field, pointing into the split
  std::vector<Gs1Finding> findings;
  bool blocked = false;  ///< Block mode and a finding about the data

  /// What the monitor listing adds to the line of field: "  ×" and the text of each of
  /// its findings.
  std::string marks(std::size_t field) const;
};

/// Checks the fields of split, found by the rows of table, in the given mode. A field
/// found by a row that is not one of the built-in table's is a user's AI.
DecodedFieldCheck checkDecodedFields(const SplitElementString& split, const AiTable& table, Gs1CheckMode mode);

}  // namespace orbelin::convert::ean
