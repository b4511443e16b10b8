#include "settings/SettingsStore.h"

#include "codec/Cp932.h"
#include "settings/ProfileFile.h"

namespace orbelin::settings {

namespace {

// An empty start code cannot be told from a missing key in the file, so it is stored
// as this word.
constexpr std::string_view kEmptyStartCode = "NULL";

}  // namespace

void InitDefaults(Configuration& configuration) {
  configuration.defaults = Settings::defaults();
  configuration.tables = EditTables{};
}

std::string ReadIniString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          const std::filesystem::path& file) {
  if (section.empty() || key.empty() || file.empty()) return {};
  try {
    const std::string bytes =
        profileRead(section, key, codec::toCp932(defaultValue), kProfileBufferSize, file);
    return codec::fromCp932(bytes.substr(0, bytes.find('\0')));
  } catch (const std::exception&) {
    return {};
  }
}

void LoadSettings(Configuration& configuration, const std::filesystem::path& file) {
  for (const Setting setting : iniOrder()) {
    const SettingDefinition& definition = definitionOf(setting);
    std::string value = ReadIniString(definition.section, definition.key, configuration.defaults.get(setting), file);
    if (setting == Setting::EANStartCD && value == kEmptyStartCode) value.clear();
    configuration.settings.set(setting, value);
  }
}

bool updateProfile(const std::filesystem::path& file, std::string_view procedure, report::FailureReporter& reporter,
                   const std::function<void(ProfileDocument&)>& change) {
  try {
    ProfileDocument document;
    ProfileWriteResult result = loadProfileForUpdate(file, document);
    if (result.ok) {
      change(document);
      result = saveProfile(document, file);
    }
    if (!result.ok) {
      reporter.report(procedure, report::kProgramSource, result.description);
      return false;
    }
    return true;
  } catch (const std::exception& failure) {
    reporter.report(procedure, failure);
    return false;
  }
}

bool PutPGPra(const Settings& settings, const std::filesystem::path& file, report::FailureReporter& reporter) {
  return updateProfile(file, "PutPGPra", reporter, [&settings](ProfileDocument& document) {
    for (const Setting setting : iniOrder()) {
      const SettingDefinition& definition = definitionOf(setting);
      std::string_view value = settings.get(setting);
      if (setting == Setting::EANStartCD && value.empty()) value = kEmptyStartCode;
      document.setValue(definition.section, definition.key, codec::toCp932(value));
    }
  });
}

}  // namespace orbelin::settings
