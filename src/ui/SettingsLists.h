#pragma once

#include <QStringList>
#include <array>
#include <filesystem>
#include <string_view>

namespace orbelin::ui {

/// The entries of the settings dialog's lists other than PortCmb, by control name
/// ("BaudCmb", "TrigCmb", ...). Empty for a name that is no such list.
QStringList listEntries(std::string_view control);

/// The entries of PortCmb: "  COM" and the number, then the device the port maps to
/// (section "PORTS" of ini under the number, else /dev/ttyS and the number less one).
QStringList portEntries(const std::filesystem::path& ini);

/// The object names of every list of the settings dialog, in the order they are filled.
const std::array<std::string_view, 15>& listControlNames();

/// The stored value of each entry of a list that stores values rather than indexes.
struct ValueList {
  std::string_view control;
  std::array<std::string_view, 16> values;
  int count;
  int fallback;  ///< The entry shown for a value that is not in the list.
};

/// The value list of control, or nullptr when it stores its index.
const ValueList* valueListOf(std::string_view control);

}  // namespace orbelin::ui
