#include "settings/EditTableStore.h"

#include "codec/Cp932.h"
#include "text/InterchangeStr.h"
#include "settings/ControlCodeNames.h"
#include "settings/ProfileFile.h"
#include "settings/SettingsStore.h"

namespace orbelin::settings {

namespace {

std::string rowKey(std::string_view letters, std::size_t row) { return std::string(letters) + std::to_string(row); }

}  // namespace

std::string ControlNamesToCodes(std::string_view text, report::FailureReporter& reporter) {
  std::string result(text);
  for (int code = 0; code <= 32; ++code) {
    result = text::InterchangeStr(result, ControlCodeNames()[code], std::string(1, static_cast<char>(code)), reporter);
  }
  return result;
}

void LoadEditTables(EditTables& tables, const std::filesystem::path& file, report::FailureReporter& reporter) {
  for (std::size_t row = 1; row <= kSubstitutionRows; ++row) {
    SubstitutionPair& pair = tables.substitutions[row - 1];
    pair.before = ReadIniString("REP", rowKey("CB", row), "", file);
    pair.after = ReadIniString("REP", rowKey("CA", row), "", file);
    pair.beforeWorking = ControlNamesToCodes(pair.before, reporter);
    pair.afterWorking = ControlNamesToCodes(pair.after, reporter);
  }
  for (std::size_t row = 1; row <= kByteEditRows; ++row) {
    ByteEditEntry& entry = tables.byteEdits[row - 1];
    entry.position = ReadIniString("POS", rowKey("BPS", row), "0", file);
    entry.deleteCount = ReadIniString("POS", rowKey("DEL", row), "0", file);
    entry.insertText = ReadIniString("POS", rowKey("INS", row), "", file);
  }
}

bool PutEdy(const EditTables& tables, const std::filesystem::path& file, report::FailureReporter& reporter) {
  return updateProfile(file, "PutEdy", reporter, [&tables](ProfileDocument& document) {
    for (std::size_t row = 1; row <= kSubstitutionRows; ++row) {
      const SubstitutionPair& pair = tables.substitutions[row - 1];
      document.setValue("REP", rowKey("CB", row), codec::toCp932(pair.before));
      document.setValue("REP", rowKey("CA", row), codec::toCp932(pair.after));
    }
    for (std::size_t row = 1; row <= kByteEditRows; ++row) {
      const ByteEditEntry& entry = tables.byteEdits[row - 1];
      document.setValue("POS", rowKey("BPS", row), codec::toCp932(entry.position));
      document.setValue("POS", rowKey("DEL", row), codec::toCp932(entry.deleteCount));
      document.setValue("POS", rowKey("INS", row), codec::toCp932(entry.insertText));
    }
  });
}

}  // namespace orbelin::settings
