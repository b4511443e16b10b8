#include "settings/SettingKeys.h"

namespace orbelin::settings {

namespace {

constexpr FieldKind T = FieldKind::Text;
constexpr FieldKind F = FieldKind::Flag;
using S = Setting;

// Indexed by Setting; the row order is the order of the fields in each group.
constexpr std::array<SettingDefinition, kSettingCount> kDefinitions{{
    {S::Port, "COM", "Port", T, "1"},
    {S::Baud, "COM", "Baud", T, "9600"},
    {S::Data, "COM", "Data", T, "8"},
    {S::Stop, "COM", "Stop", T, "1"},
    {S::Parity, "COM", "Parity", T, "n"},
    {S::Hand, "COM", "Hand", T, "0"},
    {S::Buf, "COM", "Buf", T, "5120"},
    {S::Weight, "COM", "Weight", T, "150"},
    {S::Trigger, "COM", "Trigger", T, "0"},
    {S::Answer, "COM", "Answer", T, "0"},
    {S::AnswerTime, "COM", "AnswerTime", T, "3000"},
    {S::Timer, "COM", "Timer", T, "30"},
    {S::Log, "COM", "Log", F, "0"},
    {S::Task, "COM", "Task", F, "1"},
    {S::TaskShift, "COM", "TaskShift", F, "0"},
    {S::PortScan, "COM", "PortScan", F, "0"},
    {S::DelayTime, "COM", "DelayTime", T, "0"},
    {S::Select, "RCV", "Select", F, "0"},
    {S::RcvHead, "RCV", "Head", T, "0"},
    {S::HeadOther, "RCV", "HeadOther", T, "0"},
    {S::RcvFoot, "RCV", "Foot", T, "0"},
    {S::FootOther, "RCV", "FootOther", T, "0"},
    {S::SendKey, "KEY", "SendKey", F, "1"},
    {S::SendKeySpc, "KEY", "SendKeySpc", F, "1"},
    {S::DOSSendKey, "KEY", "DOSSendKey", F, "0"},
    {S::LowSendKey, "KEY", "LowSendKey", F, "0"},
    {S::KeyWeight, "KEY", "KeyWeight", T, "0"},
    {S::KeyDwnWeight, "KEY", "KeyDwnWeight", T, "0"},
    {S::KeyHead, "KEY", "Head", T, ""},
    {S::KeyFoot, "KEY", "Foot", T, ""},
    {S::File, "KEY", "File", F, "0"},
    {S::FilePath, "KEY", "FilePath", T, ""},
    {S::Chikan, "KEY", "Chikan", F, "0"},
    {S::ByteEd, "KEY", "ByteEd", F, "0"},
    {S::EANRead, "KEY", "EANRead", F, "1"},
    {S::EANSend, "KEY", "EANSend", F, "1"},
    {S::EANAISelect, "KEY", "EANAISelect", F, "0"},
    {S::EANStartCD, "KEY", "EANStartCD", T, "]C1"},
    {S::EANDate, "KEY", "EANDate", F, "0"},
    {S::EANDecimal, "KEY", "EANDecimal", F, "0"},
    {S::EANSort, "KEY", "EANSort", F, "0"},
    {S::EANSeparate, "KEY", "EANSeparate", T, "0"},
    {S::EANSymbology, "KEY", "EANSymbology", F, "1"},
    {S::EANDigitalLink, "KEY", "EANDigitalLink", F, "1"},
    {S::EANCheck, "KEY", "EANCheck", F, "1"},
    {S::BookJAN, "KEY", "BookJAN", F, "0"},
    {S::BookJAN1, "KEY", "BookJAN1", F, "0"},
    {S::AddOn, "KEY", "AddOn", F, "0"},
    {S::ISBN, "KEY", "ISBN", F, "0"},
    {S::ISBN13, "KEY", "ISBN13", F, "0"},
    {S::JAN2toISBN, "KEY", "JAN2toISBN", F, "0"},
    {S::ConvMode, "KEY", "ConvMode", F, "0"},
    {S::SPCWeight, "KEY", "SPCWeight", T, "1500"},
    {S::BookSeparate, "KEY", "BookSeparate", T, "0"},
}};

constexpr bool definitionsAreIndexed() {
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    if (static_cast<std::size_t>(kDefinitions[i].setting) != i) return false;
  }
  return true;
}
static_assert(definitionsAreIndexed(), "kDefinitions must follow the order of Setting");

constexpr std::array<Setting, kSettingCount> kIniOrder{{
    S::Port, S::Baud, S::Data, S::Stop, S::Parity, S::Hand, S::Buf, S::Weight, S::Trigger, S::Answer,
    S::AnswerTime, S::Timer, S::Log, S::DelayTime,
    S::Select, S::RcvHead, S::HeadOther, S::RcvFoot, S::FootOther,
    S::SendKey, S::SendKeySpc, S::DOSSendKey, S::LowSendKey, S::KeyWeight, S::KeyDwnWeight, S::KeyHead,
    S::KeyFoot, S::File, S::FilePath, S::Chikan, S::ByteEd, S::EANRead, S::EANSend, S::EANAISelect,
    S::EANStartCD, S::EANDate, S::EANDecimal, S::EANSort, S::EANSeparate, S::EANCheck,
    S::Task, S::TaskShift,
    S::ConvMode, S::BookJAN, S::BookJAN1, S::AddOn, S::ISBN, S::ISBN13,
    S::PortScan,
    S::SPCWeight, S::JAN2toISBN, S::BookSeparate,
    S::EANSymbology, S::EANDigitalLink,
}};

}  // namespace

const SettingDefinition& definitionOf(Setting setting) { return kDefinitions[static_cast<std::size_t>(setting)]; }

const std::array<Setting, kSettingCount>& iniOrder() { return kIniOrder; }

}  // namespace orbelin::settings
