#include "settings/Settings.h"

#include "codec/Utf8.h"

namespace orbelin::settings {

Settings Settings::defaults() {
  Settings record;
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    const auto setting = static_cast<Setting>(i);
    record.set(setting, definitionOf(setting).defaultValue);
  }
  return record;
}

void Settings::set(Setting setting, std::string_view value) {
  std::string& field = m_values[static_cast<std::size_t>(setting)];
  if (definitionOf(setting).kind == FieldKind::Text) {
    field = value;
  } else if (value.empty()) {
    field = " ";
  } else {
    std::size_t end = 0;
    codec::nextCodePoint(value, end);
    field = value.substr(0, end);
  }
}

}  // namespace orbelin::settings
