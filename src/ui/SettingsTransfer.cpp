// GetTBL and SetTBL: the mapping between the settings record and the dialog's controls.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <exception>
#include <optional>
#include <stdexcept>

#include "report/FailureReporter.h"
#include "text/Integers.h"
#include "settings/ProfileFile.h"
#include "settings/SettingsStore.h"
#include "ui/Controls.h"
#include "ui/SettingsLists.h"
#include "ui/frmSet.h"

namespace orbelin::ui {

namespace {

using settings::Setting;

/// The run-time's description of a list index that the list cannot take.
constexpr const char* kInvalidPropertyValue = "プロパティの値が不正です。";

enum class Rule {
  Value,            ///< a list whose entries stand for stored values
  Index,            ///< a list whose index is stored
  IndexAsIs,        ///< the same, storing -1 for no selection
  CheckUnlessZero,  ///< a box checked unless the value is "0"
  CheckWhenOne,     ///< a box checked when the value is "1"
  Text,             ///< a text box holding the value as stored
  Group,            ///< boxes of which the checked one names the value
};

struct BoxChoice {
  const char* box;
  const char* value;
};

struct BoxGroup {
  const char* none;  ///< The value when no box of the group is checked.
  std::initializer_list<BoxChoice> boxes;
};

const BoxGroup kTransferGroup{"0", {{"DOSSendChk", "1"}, {"PCOMM1SendChk", "2"}, {"PCOMM2SendChk", "3"}}};
const BoxGroup kEanSendGroup{"1", {{"EANNoAIChk", "2"}, {"EANBracketAIChk", "3"}}};
const BoxGroup kBookGroup{"0", {{"JAN2toISBN1Chk", "1"}, {"JAN2toISBN2Chk", "2"}, {"JAN2toISBN3Chk", "3"}}};

struct Transfer {
  Rule rule;
  const char* control;
  Setting setting;
  const BoxGroup* group = nullptr;
};

// In the order GetTBL sets the controls: each change runs its handler, so later
// controls may undo what earlier handlers did (JAN2toISBN clears BookJAN).
const Transfer kTransfers[] = {
    {Rule::Value, "PortCmb", Setting::Port},
    {Rule::Value, "BaudCmb", Setting::Baud},
    {Rule::Value, "DataCmb", Setting::Data},
    {Rule::Value, "StopCmb", Setting::Stop},
    {Rule::Value, "ParityCmb", Setting::Parity},
    {Rule::Value, "HandCmb", Setting::Hand},
    {Rule::CheckUnlessZero, "PortScanChk", Setting::PortScan},
    {Rule::Text, "BufTxt", Setting::Buf},
    {Rule::Text, "WeightTxt", Setting::Weight},
    {Rule::CheckUnlessZero, "LogChk", Setting::Log},
    {Rule::CheckUnlessZero, "TaskShiftChk", Setting::TaskShift},
    {Rule::IndexAsIs, "TrigCmb", Setting::Trigger},
    {Rule::IndexAsIs, "AnswCmb", Setting::Answer},
    {Rule::Text, "AnswTimeTxt", Setting::AnswerTime},
    {Rule::Text, "TimerTxt", Setting::Timer},
    {Rule::Text, "DelayTimeTxt", Setting::DelayTime},
    {Rule::CheckWhenOne, "RecvFormatChk", Setting::Select},
    {Rule::Index, "RecvHeadCmb", Setting::RcvHead},
    {Rule::Index, "RecvHeadOtherLst", Setting::HeadOther},
    {Rule::Index, "RecvFootCmb", Setting::RcvFoot},
    {Rule::Index, "RecvFootOtherLst", Setting::FootOther},
    {Rule::CheckUnlessZero, "ChikanChk", Setting::Chikan},
    {Rule::CheckUnlessZero, "ByteEdChk", Setting::ByteEd},
    {Rule::CheckUnlessZero, "SendkeyChk", Setting::SendKey},
    {Rule::CheckUnlessZero, "SendkeyspcChk", Setting::SendKeySpc},
    {Rule::Group, "", Setting::DOSSendKey, &kTransferGroup},
    {Rule::CheckUnlessZero, "LowSendChk", Setting::LowSendKey},
    {Rule::Text, "KeyWeightTxt", Setting::KeyWeight},
    {Rule::Text, "KeyDwnWeightTxt", Setting::KeyDwnWeight},
    {Rule::Text, "KBHeadTxt", Setting::KeyHead},
    {Rule::Text, "KBFootTxt", Setting::KeyFoot},
    {Rule::CheckUnlessZero, "FileChk", Setting::File},
    {Rule::Text, "FilePathTxt", Setting::FilePath},
    {Rule::Value, "ConvModeCmb", Setting::ConvMode},
    {Rule::CheckUnlessZero, "EANChk", Setting::EANRead},
    {Rule::Group, "", Setting::EANSend, &kEanSendGroup},
    {Rule::CheckUnlessZero, "EANAIChk", Setting::EANAISelect},
    {Rule::Text, "EANStartCDTxt", Setting::EANStartCD},
    {Rule::CheckUnlessZero, "EANDateChk", Setting::EANDate},
    {Rule::CheckUnlessZero, "EANDecimalChk", Setting::EANDecimal},
    {Rule::CheckUnlessZero, "EANSortChk", Setting::EANSort},
    {Rule::Index, "EANSeparateCmb", Setting::EANSeparate},
    {Rule::CheckUnlessZero, "EANSymbologyChk", Setting::EANSymbology},
    {Rule::CheckUnlessZero, "EANDigitalLinkChk", Setting::EANDigitalLink},
    {Rule::Value, "EANCheckCmb", Setting::EANCheck},
    {Rule::CheckUnlessZero, "BookJANChk", Setting::BookJAN},
    {Rule::CheckUnlessZero, "BookJANChk1", Setting::BookJAN1},
    {Rule::CheckUnlessZero, "AddOnChk", Setting::AddOn},
    {Rule::CheckUnlessZero, "ISBNChk", Setting::ISBN},
    {Rule::CheckUnlessZero, "ISBN13Chk", Setting::ISBN13},
    {Rule::Text, "SPCWeightTxt", Setting::SPCWeight},
    {Rule::Group, "", Setting::JAN2toISBN, &kBookGroup},
    {Rule::Index, "BookSeparateCmb", Setting::BookSeparate},
};

template <class T>
T& control(const QObject& dialog, std::string_view name) {
  auto* found = findControl<T>(dialog, name);
  if (found == nullptr) throw std::logic_error("no control " + std::string(name));
  return *found;
}

int valueIndex(const ValueList& list, const std::string& value) {
  for (int i = 0; i < list.count; ++i) {
    if (list.values[static_cast<std::size_t>(i)] == value) return i;
  }
  return list.fallback;
}

void showIndex(QWidget& list, const std::string& value) {
  const auto index = text::parseInteger(value);
  if (!index) throw report::RuntimeFailure(text::kTypeMismatch);
  // -1 is "no selection", as a list accepts it.
  if (*index < -1 || *index >= listCount(list)) throw report::RuntimeFailure(kInvalidPropertyValue);
  setListIndex(list, *index);
}

void showValue(const QObject& dialog, const Transfer& transfer, const settings::Settings& record) {
  const std::string& value = record.get(transfer.setting);
  switch (transfer.rule) {
    case Rule::Value: {
      auto& list = control<QWidget>(dialog, transfer.control);
      setListIndex(list, valueIndex(*valueListOf(transfer.control), value));
      return;
    }
    case Rule::Index:
    case Rule::IndexAsIs: showIndex(control<QWidget>(dialog, transfer.control), value); return;
    case Rule::CheckUnlessZero: {
      auto& box = control<QAbstractButton>(dialog, transfer.control);
      box.setChecked(true);
      if (value == "0") box.setChecked(false);
      return;
    }
    case Rule::CheckWhenOne: control<QAbstractButton>(dialog, transfer.control).setChecked(value == "1"); return;
    case Rule::Text: control<QLineEdit>(dialog, transfer.control).setText(qs(value)); return;
    case Rule::Group:
      for (const auto& choice : transfer.group->boxes) control<QAbstractButton>(dialog, choice.box).setChecked(false);
      for (const auto& choice : transfer.group->boxes) {
        if (value == choice.value) control<QAbstractButton>(dialog, choice.box).setChecked(true);
      }
      return;
  }
}

std::string stored(const QObject& dialog, const Transfer& transfer, const settings::Settings& defaults) {
  const std::string& fallback = defaults.get(transfer.setting);
  switch (transfer.rule) {
    case Rule::Value: {
      const int index = listIndex(control<QWidget>(dialog, transfer.control));
      const ValueList& list = *valueListOf(transfer.control);
      return index >= 0 && index < list.count ? std::string(list.values[static_cast<std::size_t>(index)]) : fallback;
    }
    case Rule::IndexAsIs: return std::to_string(listIndex(control<QWidget>(dialog, transfer.control)));
    case Rule::Index: {
      const auto& list = control<QWidget>(dialog, transfer.control);
      const int index = listIndex(list);
      return index >= 0 && index < listCount(list) ? std::to_string(index) : fallback;
    }
    case Rule::CheckUnlessZero:
    case Rule::CheckWhenOne: return control<QAbstractButton>(dialog, transfer.control).isChecked() ? "1" : "0";
    case Rule::Text: return str(control<QLineEdit>(dialog, transfer.control).text());
    case Rule::Group: {
      std::string value = transfer.group->none;
      for (const auto& choice : transfer.group->boxes) {
        if (control<QAbstractButton>(dialog, choice.box).isChecked()) value = choice.value;
      }
      return value;
    }
  }
  return fallback;
}

}  // namespace

bool frmSet::GetTBL(bool isDefault) {
  const auto& configuration = m_ctx.configuration;
  m_working = isDefault ? configuration.defaults : configuration.settings;
  // A stored value a control cannot show leaves that control at its default; every other
  // control still shows its stored value, so OK never stores values the user did not see.
  std::optional<std::string> firstFailure;
  for (const auto& transfer : kTransfers) {
    try {
      showValue(*this, transfer, m_working);
    } catch (const std::exception& failure) {
      if (!firstFailure) firstFailure = failure.what();
      m_working.set(transfer.setting, configuration.defaults.get(transfer.setting));
      showValue(*this, transfer, m_working);
    }
  }
  if (!firstFailure) return true;
  m_ctx.reporter.report("GetTBL", std::runtime_error(*firstFailure));
  m_ctx.messages().show(platform::MessageIcon::Warning, "GetTBL",
                        "設定データの変換に失敗しました。\r\n設定ファイルを削除し、設定をやり直してください。");
  return false;
}

bool frmSet::SetTBL() {
  auto& configuration = m_ctx.configuration;
  try {
    // Task is not on the dialog and keeps its value.
    for (const auto& transfer : kTransfers) {
      configuration.settings.set(transfer.setting, stored(*this, transfer, configuration.defaults));
    }
  } catch (const std::exception& failure) {
    m_ctx.reporter.report("SetTBL", failure);
    m_ctx.messages().show(platform::MessageIcon::Warning, "SetTBL", "設定ファイルの書き込みに失敗しました。");
    return false;
  }
  if (!settings::PutPGPra(configuration.settings, m_ctx.paths.ini(), m_ctx.reporter)) return false;
  return storeStablePortName();
}

bool frmSet::storeStablePortName() {
  const auto& ports = control<QComboBox>(*this, "PortCmb");
  const std::string stable = str(ports.currentData().toString());
  if (ports.currentIndex() < 0 || stable.empty()) return true;
  const std::string key = std::to_string(ports.currentIndex() + 1);
  const auto ini = m_ctx.paths.ini();
  if (settings::ReadIniString("PORTS", key, "", ini) == stable) return true;
  const auto result = settings::profileWrite("PORTS", key, stable, ini);
  if (result.ok) return true;
  m_ctx.reporter.report("PutPGPra", report::kProgramSource, result.description);
  return false;
}

}  // namespace orbelin::ui
