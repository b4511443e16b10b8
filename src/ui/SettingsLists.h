#pragma once

#include <QStringList>
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/StableSerialNames.h"
#include "platform/SystemSerialPorts.h"

namespace orbelin::ui {

/// The entries of the settings dialog's lists other than PortCmb, by control name
/// ("BaudCmb", "TrigCmb", ...). Empty for a name that is no such list.
QStringList listEntries(std::string_view control);

/// Number of entries of PortCmb, COM1 to COM16.
inline constexpr int kPortEntryCount = 16;

/// The stable name shown beside each COM number (index 0 is COM1; empty for none). A
/// device goes to the number whose "PORTS" entry in ini names it by its stable name or
/// by the device it leads to now; a device that no entry names goes to the highest
/// number without an entry other than inUse (the number the settings use now), so that
/// plugging a reader in never hides or replaces a port already in use.
std::array<std::string, kPortEntryCount> stablePortNames(const std::filesystem::path& ini,
                                                         const std::vector<platform::StableSerialName>& present,
                                                         int inUse);

/// The entries of PortCmb: "  COM" and the number, then in brackets its stable name when
/// it has one, else the device the port maps to (section "PORTS" of ini under the number,
/// else /dev/ttyS and the number less one).
QStringList portEntries(const std::filesystem::path& ini, const std::array<std::string, kPortEntryCount>& stable = {});

/// The entries of PortCmb where the system reports its COM ports: "  COM" and the number,
/// then in brackets the device that section "PORTS" of ini names for it, else the name
/// the system gives the port; nothing more for a number with neither.
QStringList portEntries(const std::filesystem::path& ini, const std::vector<platform::SystemSerialPort>& present);

/// The object names of every list of the settings dialog, in the order they are filled.
const std::array<std::string_view, 16>& listControlNames();

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
