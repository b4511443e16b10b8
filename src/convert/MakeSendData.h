#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "report/FailureReporter.h"
#include "settings/EditTables.h"
#include "settings/Settings.h"

namespace orbelin::convert {

/// The record without the framing prefix and suffix that it must carry (Select, RCV
/// Head/Foot; everything from the first suffix on goes), or nothing when either is
/// missing. Throws text::RuntimeFailure for a HeadOther or FootOther that is no byte.
std::optional<std::string> RemoveFraming(std::string_view record, const settings::Settings& settings);

/// Whether MakeSendData checks the framing codes itself or they were checked and removed
/// on the record as it was received, before any conversion could change them.
enum class FramingCodes { Check, AlreadyRemoved };

/// Builds the data to type from one record: checks and removes the framing prefix and
/// suffix (unless already done), then applies the byte edit (ByteEd) and the
/// substitution table (Chikan). Empty means nothing is typed or written; a failure is
/// reported and also gives the empty string.
std::string MakeSendData(std::string_view data, const settings::Settings& settings,
                         const settings::EditTables& tables, report::FailureReporter& reporter,
                         FramingCodes framing = FramingCodes::Check);

/// With SendKeySpc "1", "{" becomes "{{}" and "}" becomes "{}}" so the braces of the data
/// are typed as characters; a double-byte character is never split.
std::string EscapeKeyBraces(std::string_view data, const settings::Settings& settings);

}  // namespace orbelin::convert
