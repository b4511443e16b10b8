#pragma once

#include <string>
#include <string_view>

#include "report/FailureReporter.h"
#include "settings/EditTables.h"
#include "settings/Settings.h"

namespace orbelin::convert {

/// Builds the data to type from one record whose framing codes are already off: applies
/// the byte edit (ByteEd) and the substitution table (Chikan). Empty means nothing is
/// typed or written; a failure is reported and also gives the empty string.
std::string MakeSendData(std::string_view data, const settings::Settings& settings,
                         const settings::EditTables& tables, report::FailureReporter& reporter);

/// With SendKeySpc "1", "{" becomes "{{}" and "}" becomes "{}}" so the braces of the data
/// are typed as characters; a double-byte character is never split.
std::string EscapeKeyBraces(std::string_view data, const settings::Settings& settings);

}  // namespace orbelin::convert
