// The settings dialog's tree, change handlers, confirmations, input checks and buttons.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/frmKeySet.h"
#include "ui/frmSet.h"

namespace orbelin::test {
namespace {

using settings::Setting;

class SettingsDialog : public ::testing::Test {
 protected:
  std::unique_ptr<ui::frmSet> open() { return std::make_unique<ui::frmSet>(ui.context, [this] { ++connects; }); }
  settings::Settings& live() { return ui.configuration.settings; }
  static bool enabled(const QObject& root, std::string_view name) { return child<QWidget>(root, name).isEnabled(); }
  static bool checked(const QObject& root, std::string_view name) { return child<QCheckBox>(root, name).isChecked(); }

  UiFixture ui;
  int connects = 0;
};

std::vector<std::string> treeOrder(const QTreeWidget& tree) {
  std::vector<std::string> nodes;
  for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it != nullptr; ++it) {
    nodes.push_back(ui::str((*it)->data(0, Qt::UserRole).toString() + "=" + (*it)->text(0)));
  }
  return nodes;
}

const std::vector<std::string> kTreeWithoutEan = {
    "MAINS=設定",  "COM_0=通信設定",       "COM_1=通信トラブル対策",     "COM_2=シリアル機器制御",
    "RCV_0=受信データフォーマット",       "SND_0=キー転送フォーマット", "SND_1=データ編集",
    "SND_2=キー入力トラブル対策",         "SPC_0=バーコード機能",       "SPC_2=書籍関連",
    "MOV_0=動作設定", "FIL_0=ファイル"};

TEST_F(SettingsDialog, TreeHasItsNodesInOrderAndEan128FollowsEANChk) {
  live().set(Setting::EANRead, "0");
  auto dialog = open();
  const auto& tree = child<QTreeWidget>(*dialog, "tvwImageList");
  EXPECT_EQ(treeOrder(tree), kTreeWithoutEan);
  EXPECT_TRUE(tree.topLevelItem(0)->isExpanded());
  EXPECT_FALSE(dialog->node("COM_0")->isExpanded());
  click(*dialog, "EANChk");
  auto withEan = kTreeWithoutEan;
  withEan.insert(withEan.begin() + 10, "SPC_1=ＥＡＮ１２８");
  EXPECT_EQ(treeOrder(tree), withEan);
  EXPECT_EQ(dialog->node("SPC_1")->parent(), dialog->node("SPC_0"));
  EXPECT_TRUE(enabled(*dialog, "EANSeparateCmb"));
  click(*dialog, "EANChk");
  EXPECT_EQ(treeOrder(tree), kTreeWithoutEan);
  EXPECT_FALSE(enabled(*dialog, "EANSeparateCmb"));
  EXPECT_FALSE(enabled(*dialog, "EANStartCDTxt"));
  EXPECT_FALSE(enabled(*dialog, "EANDigitalLinkChk"));
}

TEST_F(SettingsDialog, ANodeShowsItsPageOnlyAndTheRootNone) {
  auto dialog = open();
  dialog->show();
  EXPECT_FALSE(child<QWidget>(*dialog, "fraCOM_0").isVisible());
  auto& tree = child<QTreeWidget>(*dialog, "tvwImageList");
  tree.setCurrentItem(dialog->node("SND_2"));
  EXPECT_TRUE(child<QWidget>(*dialog, "fraSND_2").isVisible());
  EXPECT_TRUE(child<QWidget>(*dialog, "LowSendChk").isVisible());
  EXPECT_FALSE(child<QWidget>(*dialog, "fraCOM_0").isVisible());
  tree.setCurrentItem(dialog->node("MAINS"));
  for (const char* page : {"fraCOM_0", "fraSND_2", "fraFIL_0", "fraSPC_1"}) {
    EXPECT_FALSE(child<QWidget>(*dialog, page).isVisible()) << page;
  }
}

TEST_F(SettingsDialog, CaptionsAreTheProgramsOwn) {
  auto dialog = open();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("設定"));
  const std::pair<const char*, const char*> captions[] = {
      {"cmdOK", "OK"},           {"cmdOKConnect", "設定＆ 接続"}, {"cmdCancel", "ｷｬﾝｾﾙ"},
      {"DefaultCmd", "規定値"},  {"FileCmd", "参照"},             {"KeyHeadCmd", "KeyBoard"},
      {"ChikanCmd", "編集"},     {"EANSortCmd", "編集"},          {"PCOMM2SendChk", "ＰＣＯＭＭ画面に転送② Ctrl+V"},
      {"EANDecimalChk", "小数点位置に ． を挿入 "}, {"SendkeyspcChk", "｛｝をデータとして扱う"}};
  for (const auto& [name, caption] : captions) {
    EXPECT_EQ(ui::str(child<QAbstractButton>(*dialog, name).text()), caption) << name;
  }
  EXPECT_EQ(ui::str(child<QLabel>(*dialog, "RecvDataLbl").text()), "※プリフィックス・サフィックスは、除去されます");
  EXPECT_EQ(ui::str(child<QLabel>(*dialog, "EANStartCDNoteLbl").text()), "(EAN128識別ﾌﾟﾘﾌｨｯｸｽﾃﾞｰﾀ)");
  EXPECT_EQ(ui::str(child<QLabel>(*dialog, "FilePathLbl").text()), "出力ファイル名：");
}

struct Enabling {
  const char* box;
  const char* control;
};

class EnablingHandler : public SettingsDialog, public ::testing::WithParamInterface<Enabling> {};

TEST_P(EnablingHandler, EnablesWhileChecked) {
  auto dialog = open();
  auto& box = child<QCheckBox>(*dialog, GetParam().box);
  box.setChecked(true);
  EXPECT_TRUE(enabled(*dialog, GetParam().control));
  box.setChecked(false);
  EXPECT_FALSE(enabled(*dialog, GetParam().control));
}

INSTANTIATE_TEST_SUITE_P(
    Values, EnablingHandler,
    ::testing::Values(Enabling{"ChikanChk", "ChikanCmd"}, Enabling{"ByteEdChk", "ByteEdCmd"},
                      Enabling{"EANAIChk", "EANCmd"}, Enabling{"EANSortChk", "EANSortCmd"},
                      Enabling{"FileChk", "FilePathTxt"}, Enabling{"FileChk", "FilePathLbl"},
                      Enabling{"SendkeyChk", "KeyDwnWeightUnitLbl"}, Enabling{"SendkeyChk", "PCOMM2SendChk"},
                      Enabling{"RecvFormatChk", "RecvDataLbl"}, Enabling{"RecvFormatChk", "RecvFootCmb"},
                      Enabling{"BookJANChk", "BookSeparateCmb"}, Enabling{"EANChk", "EANNoAIChk"}));

TEST_F(SettingsDialog, FileButtonStaysEnabled) {
  auto dialog = open();
  EXPECT_FALSE(checked(*dialog, "FileChk"));
  EXPECT_TRUE(enabled(*dialog, "FileCmd"));
}

TEST_F(SettingsDialog, SpecialPrefixListNeedsMonitoringAndTheSpecialChoice) {
  live().set(Setting::Select, "1");
  live().set(Setting::RcvHead, "3");
  live().set(Setting::RcvFoot, "5");
  auto dialog = open();
  EXPECT_TRUE(enabled(*dialog, "RecvHeadOtherLst"));
  EXPECT_FALSE(enabled(*dialog, "RecvFootOtherLst"));
  child<QComboBox>(*dialog, "RecvFootCmb").setCurrentIndex(6);
  EXPECT_TRUE(enabled(*dialog, "RecvFootOtherLst"));
  child<QCheckBox>(*dialog, "RecvFormatChk").setChecked(false);
  EXPECT_FALSE(enabled(*dialog, "RecvHeadOtherLst"));
  EXPECT_FALSE(enabled(*dialog, "RecvFootOtherLbl"));
}

TEST_F(SettingsDialog, PacketIntervalsNeedAPacket) {
  auto dialog = open();
  EXPECT_FALSE(enabled(*dialog, "TimerTxt"));
  child<QComboBox>(*dialog, "TrigCmb").setCurrentIndex(1);
  EXPECT_TRUE(enabled(*dialog, "TimerTxt"));
  EXPECT_TRUE(enabled(*dialog, "TimerUnitLbl"));
  EXPECT_FALSE(enabled(*dialog, "AnswTimeTxt"));
  child<QComboBox>(*dialog, "AnswCmb").setCurrentIndex(13);
  EXPECT_TRUE(enabled(*dialog, "AnswTimeLbl"));
  child<QComboBox>(*dialog, "TrigCmb").setCurrentIndex(0);
  EXPECT_FALSE(enabled(*dialog, "TimerLbl"));
}

TEST_F(SettingsDialog, AiOutputFormsExcludeEachOther) {
  auto dialog = open();
  click(*dialog, "EANNoAIChk");
  click(*dialog, "EANBracketAIChk");
  EXPECT_FALSE(checked(*dialog, "EANNoAIChk"));
  EXPECT_TRUE(checked(*dialog, "EANBracketAIChk"));
}

TEST_F(SettingsDialog, BookConversionsFollowTheirRules) {
  auto dialog = open();
  click(*dialog, "JAN2toISBN3Chk");
  EXPECT_TRUE(checked(*dialog, "BookJANChk"));
  click(*dialog, "JAN2toISBN2Chk");
  EXPECT_FALSE(checked(*dialog, "BookJANChk"));
  EXPECT_FALSE(checked(*dialog, "JAN2toISBN3Chk"));
  click(*dialog, "BookJANChk");
  EXPECT_FALSE(checked(*dialog, "JAN2toISBN2Chk"));
  click(*dialog, "JAN2toISBN3Chk");
  click(*dialog, "BookJANChk");  // clearing the join clears row three
  EXPECT_FALSE(checked(*dialog, "JAN2toISBN3Chk"));
}

struct Confirmation {
  const char* box;
  const char* text;
};

const char* const kTransferBoxes[] = {"DOSSendChk", "PCOMM1SendChk", "PCOMM2SendChk", "LowSendChk"};

class TransferConfirmation : public SettingsDialog, public ::testing::WithParamInterface<Confirmation> {
 protected:
  std::string otherBox() const {
    return std::string_view(GetParam().box) == "LowSendChk" ? "DOSSendChk" : "LowSendChk";
  }
};

TEST_P(TransferConfirmation, YesKeepsTheBoxAndClearsTheOthers) {
  auto dialog = open();
  dialog->show();
  dialog->showPage("SND_2");
  child<QCheckBox>(*dialog, otherBox()).setChecked(true);
  EXPECT_TRUE(ui.lines().empty());  // the dialog's own changes ask nothing
  ui.questions.answer(true);
  click(*dialog, GetParam().box);
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("question", "転送設定確認", GetParam().text)});
  for (const char* box : kTransferBoxes) EXPECT_EQ(checked(*dialog, box), box == std::string_view(GetParam().box)) << box;
}

TEST_P(TransferConfirmation, NoClearsTheBoxAndLeavesTheOthers) {
  auto dialog = open();
  dialog->show();
  dialog->showPage("SND_2");
  child<QCheckBox>(*dialog, otherBox()).setChecked(true);
  ui.questions.answer(false);
  click(*dialog, GetParam().box);
  EXPECT_FALSE(checked(*dialog, GetParam().box));
  EXPECT_TRUE(checked(*dialog, otherBox()));
}

TEST_P(TransferConfirmation, ClearingTheBoxAsksNothing) {
  auto dialog = open();
  dialog->show();
  dialog->showPage("SND_2");
  child<QCheckBox>(*dialog, GetParam().box).setChecked(true);
  click(*dialog, GetParam().box);
  EXPECT_TRUE(ui.lines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, TransferConfirmation,
    ::testing::Values(
        Confirmation{"DOSSendChk", "DOS窓以外転送できなくなります。\r\n他のアプリケーションとの連動など十分評価を行ってからご使用ください。\r\n設定しますか？"},
        Confirmation{"PCOMM1SendChk", "PCOMMウインドウ以外での転送ができなくなります。\r\n他のアプリケーションとの連動など十分評価を行ってからご使用ください。\r\n設定しますか？"},
        Confirmation{"PCOMM2SendChk", "PCOMM側で、Ctrl+Vをデータ貼り付けとして設定してください。\r\n他のアプリケーションとの連動など十分評価を行ってからご使用ください。\r\n設定しますか？"},
        Confirmation{"LowSendChk", "日本語文字などが転送できなくなります。\r\n設定しますか？"}));

}  // namespace
}  // namespace orbelin::test
