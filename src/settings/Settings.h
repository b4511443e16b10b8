#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/SettingKeys.h"

namespace orbelin::settings {

/// One settings record: every value is text, read by its key at the moment of use.
class Settings {
 public:
  /// The record holding the built-in defaults.
  static Settings defaults();

  const std::string& get(Setting setting) const { return m_values[static_cast<std::size_t>(setting)]; }
  /// Stores value; a flag field keeps only its first character, or one blank for "".
  void set(Setting setting, std::string_view value);
  /// True when the value is exactly "1" (a flag that is on).
  bool isOn(Setting setting) const { return get(setting) == "1"; }

  bool operator==(const Settings&) const = default;

 private:
  std::array<std::string, kSettingCount> m_values;
};

}  // namespace orbelin::settings
