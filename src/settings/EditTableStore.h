#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "report/FailureReporter.h"
#include "settings/EditTables.h"

namespace orbelin::settings {

/// text with the names of the codes 0 to 32 ("<C R>", "<S P>", ...) replaced by the
/// characters. "<DEL>" stays as it is.
std::string ControlNamesToCodes(std::string_view text, report::FailureReporter& reporter);

/// Reads both tables from sections "REP" and "POS" and builds the working forms.
void LoadEditTables(EditTables& tables, const std::filesystem::path& file, report::FailureReporter& reporter);

/// Writes both tables in one atomic replacement; reports and returns false on failure.
bool PutEdy(const EditTables& tables, const std::filesystem::path& file, report::FailureReporter& reporter);

}  // namespace orbelin::settings
