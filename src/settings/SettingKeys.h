#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orbelin::settings {

/// Every setting, named by its INI key. The framing prefix and suffix ("RCV" Head and
/// Foot) and the typed header and footer ("KEY" Head and Foot) share key names.
enum class Setting {
  // "COM"
  Port, Baud, Data, Stop, Parity, Hand, Buf, Weight, Trigger, Answer, AnswerTime, Timer, Log, Task,
  TaskShift, PortScan, DelayTime,
  // "RCV"
  Select, RcvHead, HeadOther, RcvFoot, FootOther,
  // "KEY"
  SendKey, SendKeySpc, DOSSendKey, LowSendKey, KeyWeight, KeyDwnWeight, KeyHead, KeyFoot, File, FilePath,
  Chikan, ByteEd, EANRead, EANSend, EANAISelect, EANStartCD, EANDate, EANDecimal, EANSort, EANSeparate,
  EANSymbology, EANDigitalLink, EANCheck,
  BookJAN, BookJAN1, AddOn, ISBN, ISBN13, JAN2toISBN, ConvMode, SPCWeight, BookSeparate,
  Count
};

inline constexpr std::size_t kSettingCount = static_cast<std::size_t>(Setting::Count);

/// A text field holds any string; a flag field holds exactly one character.
enum class FieldKind { Text, Flag };

struct SettingDefinition {
  Setting setting;
  std::string_view section;
  std::string_view key;
  FieldKind kind;
  std::string_view defaultValue;
};

/// The definition of one setting: section, key, kind and built-in default.
const SettingDefinition& definitionOf(Setting setting);

/// The order in which the settings are read from and written to QELT.INI. A first
/// write therefore ends "COM" with Task, TaskShift and PortScan after DelayTime.
const std::array<Setting, kSettingCount>& iniOrder();

}  // namespace orbelin::settings
