#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "report/FailureReporter.h"
#include "settings/Configuration.h"
#include "settings/ProfileFile.h"

namespace orbelin::settings {

/// Profile reads use a 255-byte buffer: values are cut to 254 bytes of code page 932.
inline constexpr std::size_t kProfileBufferSize = 255;

/// Fills the defaults record and clears the edit tables.
void InitDefaults(Configuration& configuration);

/// The value under section/key as text; defaultValue when the key is missing, the empty
/// string when it is present but empty or on any failure.
std::string ReadIniString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          const std::filesystem::path& file);

/// Reads every setting from file into configuration.settings, defaults for missing keys.
void LoadSettings(Configuration& configuration, const std::filesystem::path& file);

/// Reads file, lets change set its values and replaces the file atomically. On failure
/// nothing is written, the failure is reported under procedure and false is returned.
bool updateProfile(const std::filesystem::path& file, std::string_view procedure, report::FailureReporter& reporter,
                   const std::function<void(ProfileDocument&)>& change);

/// Writes every setting to file in one atomic replacement. On failure nothing is
/// written, the failure is reported and false is returned.
bool PutPGPra(const Settings& settings, const std::filesystem::path& file, report::FailureReporter& reporter);

}  // namespace orbelin::settings
