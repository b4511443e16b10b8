#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <memory>
#include <vector>

#include "text/Integers.h"
#include "ui/Controls.h"
#include "ui/NumberBoxGuard.h"
#include "ui/frmByteEdSet.h"
#include "ui/frmChikanSet.h"
#include "ui/frmEANNo.h"
#include "ui/frmEANSet.h"
#include "ui/frmSet.h"

namespace orbelin::ui {

namespace {

constexpr std::string_view kConfirmTitle = "転送設定確認";
constexpr std::string_view kEvaluate = "他のアプリケーションとの連動など十分評価を行ってからご使用ください。";
constexpr std::string_view kAskSet = "設定しますか？";

struct TransferBox {
  std::string_view name;
  std::string_view warning;
  bool evaluate;  ///< Whether the question asks for a thorough evaluation first.
};

constexpr TransferBox kTransferBoxes[] = {
    {"DOSSendChk", "DOS窓以外転送できなくなります。", true},
    {"PCOMM1SendChk", "PCOMMウインドウ以外での転送ができなくなります。", true},
    {"PCOMM2SendChk", "PCOMM側で、Ctrl+Vをデータ貼り付けとして設定してください。", true},
    {"LowSendChk", "日本語文字などが転送できなくなります。", false},
};

// A check box that enables its controls while it is checked.
struct EnablingBox {
  std::string_view box;
  std::initializer_list<std::string_view> controls;
};

const EnablingBox kEnablingBoxes[] = {
    {"ChikanChk", {"ChikanCmd"}},
    {"ByteEdChk", {"ByteEdCmd"}},
    {"EANAIChk", {"EANCmd"}},
    {"EANSortChk", {"EANSortCmd"}},
    {"FileChk", {"FilePathLbl", "FilePathTxt"}},
    {"SendkeyChk",
     {"KeyWeightTxt", "KeyWeightLbl", "KeyWeightUnitLbl", "KeyDwnWeightTxt", "KeyDwnWeightLbl", "KeyDwnWeightUnitLbl",
      "SendkeyspcChk", "DOSSendChk", "LowSendChk", "PCOMM1SendChk", "PCOMM2SendChk"}},
};

constexpr std::string_view kNumberBoxes[] = {"BufTxt",          "WeightTxt",    "TimerTxt",    "KeyWeightTxt",
                                             "KeyDwnWeightTxt", "SPCWeightTxt", "DelayTimeTxt"};

}  // namespace

void frmSet::connectHandlers() {
  connectEnableHandlers();
  connectExclusiveHandlers();
  connectTransferConfirmations();
  const auto onCheck = [this](std::string_view name, auto handler) {
    if (auto* box = findControl<QCheckBox>(*this, name)) connect(box, &QCheckBox::toggled, this, handler);
  };
  const auto onSelect = [this](std::string_view name, auto handler) {
    if (auto* list = findControl<QComboBox>(*this, name)) connect(list, &QComboBox::currentIndexChanged, this, handler);
  };
  onCheck("RecvFormatChk", [this] { onRecvFormatChanged(); });
  onSelect("RecvHeadCmb", [this] { onRecvHeadChanged(); });
  onSelect("RecvFootCmb", [this] { onRecvFootChanged(); });
  onSelect("TrigCmb", [this](int index) { setEnabledAll(*this, {"TimerTxt", "TimerLbl", "TimerUnitLbl"}, index >= 1); });
  onSelect("AnswCmb",
           [this](int index) { setEnabledAll(*this, {"AnswTimeTxt", "AnswTimeLbl", "AnswTimeUnitLbl"}, index >= 1); });
  onCheck("EANChk", [this](bool checked) { onEANChkChanged(checked); });
  onCheck("BookJANChk", [this](bool checked) { onBookJANChanged(checked); });
}

void frmSet::connectEnableHandlers() {
  for (const auto& enabling : kEnablingBoxes) {
    auto* box = findControl<QCheckBox>(*this, enabling.box);
    if (box == nullptr) continue;
    connect(box, &QCheckBox::toggled, this, [this, controls = std::vector(enabling.controls)](bool checked) {
      for (const auto name : controls) setEnabledAll(*this, {name}, checked);
    });
    // The handlers also state the initial, cleared, condition.
    for (const auto name : enabling.controls) setEnabledAll(*this, {name}, box->isChecked());
  }
  onRecvFormatChanged();
  onEANChkChanged(false);
  onBookJANChanged(false);
  setEnabledAll(*this, {"TimerTxt", "TimerLbl", "TimerUnitLbl", "AnswTimeTxt", "AnswTimeLbl", "AnswTimeUnitLbl"}, false);
}

void frmSet::connectExclusiveHandlers() {
  // Each pair: when the first box becomes checked, the second set is cleared.
  const std::pair<std::string_view, std::vector<std::string_view>> exclusions[] = {
      {"EANNoAIChk", {"EANBracketAIChk"}},
      {"EANBracketAIChk", {"EANNoAIChk"}},
      {"JAN2toISBN1Chk", {"JAN2toISBN2Chk", "JAN2toISBN3Chk", "BookJANChk"}},
      {"JAN2toISBN2Chk", {"JAN2toISBN1Chk", "JAN2toISBN3Chk", "BookJANChk"}},
      {"JAN2toISBN3Chk", {"JAN2toISBN1Chk", "JAN2toISBN2Chk"}},
  };
  for (const auto& [name, cleared] : exclusions) {
    auto* box = findControl<QCheckBox>(*this, name);
    if (box == nullptr) continue;
    connect(box, &QCheckBox::toggled, this, [this, others = cleared, name](bool checked) {
      if (!checked) return;
      for (const auto other : others) setChecked(*this, other, false);
      if (name == "JAN2toISBN3Chk") setChecked(*this, "BookJANChk", true);
    });
  }
}

void frmSet::connectTransferConfirmations() {
  for (const auto& transfer : kTransferBoxes) {
    auto* box = findControl<QCheckBox>(*this, transfer.name);
    if (box == nullptr) continue;
    // clicked comes from the user only, never from GetTBL's setChecked.
    connect(box, &QCheckBox::clicked, this, [this, name = transfer.name] { confirmTransferMode(name); });
  }
}

void frmSet::confirmTransferMode(std::string_view name) {
  const auto* transfer = std::find_if(std::begin(kTransferBoxes), std::end(kTransferBoxes),
                                      [name](const TransferBox& candidate) { return candidate.name == name; });
  if (!isChecked(*this, name) || transfer == std::end(kTransferBoxes)) return;
  std::string text(transfer->warning);
  if (transfer->evaluate) text += "\r\n" + std::string(kEvaluate);
  text += "\r\n" + std::string(kAskSet);
  if (!m_ctx.questions.ask(platform::MessageIcon::Exclamation, kConfirmTitle, text)) {
    setChecked(*this, name, false);
    return;
  }
  for (const auto& other : kTransferBoxes) {
    if (other.name != name) setChecked(*this, other.name, false);
  }
}

void frmSet::onRecvFormatChanged() {
  const bool on = isChecked(*this, "RecvFormatChk");
  setEnabledAll(*this, {"RecvHeadLbl", "RecvFootLbl", "RecvDataLbl", "RecvHeadCmb", "RecvFootCmb"}, on);
  onRecvHeadChanged();
  onRecvFootChanged();
}

void frmSet::onRecvHeadChanged() {
  const auto* list = findControl<QComboBox>(*this, "RecvHeadCmb");
  const bool special = list != nullptr && list->isEnabled() && list->currentIndex() == 3;
  setEnabledAll(*this, {"RecvHeadOtherLbl", "RecvHeadOtherLst"}, special);
}

void frmSet::onRecvFootChanged() {
  const auto* list = findControl<QComboBox>(*this, "RecvFootCmb");
  const bool special = list != nullptr && list->isEnabled() && list->currentIndex() == 6;
  setEnabledAll(*this, {"RecvFootOtherLbl", "RecvFootOtherLst"}, special);
}

void frmSet::onBookJANChanged(bool checked) {
  if (checked) {
    setChecked(*this, "JAN2toISBN1Chk", false);
    setChecked(*this, "JAN2toISBN2Chk", false);
  } else {
    setChecked(*this, "JAN2toISBN3Chk", false);
  }
  setEnabledAll(*this, {"BookSeparateCmb", "BookSeparateLbl"}, checked);
}

void frmSet::setupNumberBoxes() {
  m_guard = new NumberBoxGuard(m_ctx.messages(), *this, this);
  for (const auto name : kNumberBoxes) {
    auto* box = findControl<QLineEdit>(*this, name);
    m_guard->filterKeys(*box);
    if (name == "BufTxt") {
      m_guard->checkOnLeave(*box, [this](QLineEdit& buffer) { return bufferSizeInRange(buffer); });
    } else {
      m_guard->checkOnLeave(*box);
    }
  }
  m_guard->checkOnLeave(*findControl<QLineEdit>(*this, "AnswTimeTxt"));
  m_guard->setExempt(*findControl<QWidget>(*this, "cmdCancel"));
}

void frmSet::connectEditors() {
  const auto openEditor = [this](std::string_view name, auto makeEditor) {
    connect(findControl<QPushButton>(*this, name), &QPushButton::clicked, this, [this, makeEditor] {
      auto editor = makeEditor();
      m_ctx.modals.run(*editor);
    });
  };
  openEditor("ChikanCmd", [this] { return std::make_unique<frmChikanSet>(m_ctx, this); });
  openEditor("ByteEdCmd", [this] { return std::make_unique<frmByteEdSet>(m_ctx, this); });
  openEditor("EANCmd", [this] { return std::make_unique<frmEANSet>(m_ctx, this); });
  openEditor("EANSortCmd", [this] { return std::make_unique<frmEANNo>(m_ctx, this); });
}

bool frmSet::bufferSizeInRange(QLineEdit& box) {
  const auto value = text::parseInteger(str(box.text()));
  if (!value) {
    // The box keeps its text and the focus may go on.
    m_ctx.messages().show(platform::MessageIcon::Warning, "BufTxt_LostFocus", "数値変換に失敗しました");
    return true;
  }
  if (*value >= 1024 && *value <= 32000) return true;
  m_ctx.messages().show(platform::MessageIcon::Warning, "入力確認", "1024～32000の値を設定してください");
  box.setFocus();
  return false;
}

}  // namespace orbelin::ui
