#include "ui/SettingsLists.h"

#include <algorithm>

#include "settings/ControlCodeNames.h"
#include "settings/SettingsStore.h"
#include "ui/QtText.h"

namespace orbelin::ui {

namespace {

constexpr std::array<std::string_view, 16> kListNames = {
    "PortCmb",     "BaudCmb",     "DataCmb",          "StopCmb",          "ParityCmb",
    "HandCmb",     "TrigCmb",     "AnswCmb",          "RecvHeadCmb",      "RecvFootCmb",
    "ConvModeCmb", "RecvHeadOtherLst", "RecvFootOtherLst", "EANSeparateCmb", "BookSeparateCmb", "EANCheckCmb"};

struct FixedList {
  std::string_view control;
  std::initializer_list<const char*> entries;
};

const FixedList kFixedLists[] = {
    {"BaudCmb", {"128000 bps", "115200 bps", " 57600 bps", " 38400 bps", " 19200 bps", " 14400 bps", "  9600 bps",
                 "  4800 bps", "  2400 bps", "  1200 bps"}},
    {"DataCmb", {"    8", "    7", "    6", "    5", "    4"}},
    {"StopCmb", {"    1 ", "   1.5", "    2 "}},
    {"ParityCmb", {"   なし", "   偶数", "   奇数"}},
    {"HandCmb", {"   なし", " XOn/Xoff", " RTS/CTS"}},
    {"RecvHeadCmb", {"な  し", "<STX> ", "<SOH> ", "特殊"}},
    {"RecvFootCmb", {"な  し", "<ETX> ", "<ETB> ", "<C R> ", "<L F> ", "<CR><LF>", "特殊"}},
    {"ConvModeCmb", {"なし", "小文字→大文字", "大文字→小文字", "半角→全角", "全角→半角"}},
    {"EANCheckCmb", {"検査しない", "記録して入力する", "入力しない"}},
};

constexpr ValueList kValueLists[] = {
    {"PortCmb", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"}, 16, 0},
    {"BaudCmb", {"128000", "115200", "57600", "38400", "19200", "14400", "9600", "4800", "2400", "1200"}, 10, 6},
    {"DataCmb", {"8", "7", "6", "5", "4"}, 5, 0},
    {"StopCmb", {"1", "1.5", "2"}, 3, 0},
    {"ParityCmb", {"n", "e", "o"}, 3, 0},
    {"HandCmb", {"0", "1", "2"}, 3, 0},
    {"ConvModeCmb", {"0", "1", "2", "3", "4"}, 5, 0},
    {"EANCheckCmb", {"0", "1", "2"}, 3, 1},
};

QStringList codeNames(int from) {
  QStringList entries;
  const auto& names = settings::ControlCodeNames();
  for (int code = from; code < 128; ++code) entries << qs(names[static_cast<std::size_t>(code)]);
  return entries;
}

QStringList hexCodeNames() {
  QStringList entries{QStringLiteral("な  し")};
  const auto& names = settings::ControlCodeNames();
  for (int code = 1; code < 128; ++code) {
    entries << QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper() + QStringLiteral("h: ") +
                   qs(names[static_cast<std::size_t>(code)]);
  }
  return entries;
}

}  // namespace

const std::array<std::string_view, 16>& listControlNames() { return kListNames; }

QStringList listEntries(std::string_view control) {
  for (const auto& list : kFixedLists) {
    if (list.control != control) continue;
    QStringList entries;
    for (const char* entry : list.entries) entries << QString::fromUtf8(entry);
    return entries;
  }
  if (control == "TrigCmb" || control == "AnswCmb") return codeNames(0);
  if (control == "RecvHeadOtherLst" || control == "RecvFootOtherLst") return hexCodeNames();
  if (control == "EANSeparateCmb" || control == "BookSeparateCmb") return QStringList{QStringLiteral("な  し")} + codeNames(1);
  return {};
}

std::array<std::string, kPortEntryCount> stablePortNames(const std::filesystem::path& ini,
                                                         const std::vector<platform::StableSerialName>& present,
                                                         int inUse) {
  std::array<std::string, kPortEntryCount> configured;
  for (int port = 1; port <= kPortEntryCount; ++port) {
    configured[static_cast<std::size_t>(port - 1)] = settings::ReadIniString("PORTS", std::to_string(port), "", ini);
  }
  std::array<std::string, kPortEntryCount> stable;
  std::vector<const platform::StableSerialName*> unnamed;
  for (const auto& name : present) {
    const auto slot = std::find_if(configured.begin(), configured.end(), [&](const std::string& device) {
      return !device.empty() && (device == name.path || device == name.device);
    });
    if (slot == configured.end()) {
      unnamed.push_back(&name);
      continue;
    }
    auto& shown = stable[static_cast<std::size_t>(slot - configured.begin())];
    if (shown.empty()) shown = name.path;
  }
  auto next = unnamed.begin();
  for (int index = kPortEntryCount - 1; index >= 0 && next != unnamed.end(); --index) {
    const auto i = static_cast<std::size_t>(index);
    if (!configured[i].empty() || !stable[i].empty() || index + 1 == inUse) continue;
    stable[i] = (*next)->path;
    ++next;
  }
  return stable;
}

QStringList portEntries(const std::filesystem::path& ini, const std::array<std::string, kPortEntryCount>& stable) {
  QStringList entries;
  for (int port = 1; port <= kPortEntryCount; ++port) {
    std::string device = stable[static_cast<std::size_t>(port - 1)];
    if (device.empty()) device = settings::ReadIniString("PORTS", std::to_string(port), "", ini);
    if (device.empty()) device = "/dev/ttyS" + std::to_string(port - 1);
    entries << QStringLiteral("  COM%1  (%2)").arg(port).arg(qs(device));
  }
  return entries;
}

QStringList portEntries(const std::filesystem::path& ini, const std::vector<platform::SystemSerialPort>& present) {
  QStringList entries;
  for (int port = 1; port <= kPortEntryCount; ++port) {
    std::string device = settings::ReadIniString("PORTS", std::to_string(port), "", ini);
    const auto reported = std::find_if(present.begin(), present.end(), [port](const auto& p) { return p.number == port; });
    if (device.empty() && reported != present.end()) device = reported->name;
    QString entry = QStringLiteral("  COM%1").arg(port);
    if (!device.empty()) entry += QStringLiteral("  (%1)").arg(qs(device));
    entries << entry;
  }
  return entries;
}

const ValueList* valueListOf(std::string_view control) {
  for (const auto& list : kValueLists) {
    if (list.control == control) return &list;
  }
  return nullptr;
}

}  // namespace orbelin::ui
