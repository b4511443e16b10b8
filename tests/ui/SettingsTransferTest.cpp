// GetTBL and SetTBL through the dialog: what is stored is what the controls showed.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "settings/SettingsStore.h"
#include "ui/frmSet.h"

namespace orbelin::test {
namespace {

using settings::Setting;
using settings::Settings;

constexpr std::string_view kGetTblText = "設定データの変換に失敗しました。\r\n設定ファイルを削除し、設定をやり直してください。";

class SettingsTransfer : public ::testing::Test {
 protected:
  std::unique_ptr<ui::frmSet> open() { return std::make_unique<ui::frmSet>(ui.context, [this] { ++connects; }); }
  Settings& live() { return ui.configuration.settings; }

  UiFixture ui;
  int connects = 0;
};

// A value different from the default for every setting the dialog shows.
Settings everyValueChanged(const std::string& folder) {
  Settings record = Settings::defaults();
  const std::pair<Setting, std::string> values[] = {
      {Setting::Port, "7"}, {Setting::Baud, "38400"}, {Setting::Data, "6"}, {Setting::Stop, "1.5"},
      {Setting::Parity, "o"}, {Setting::Hand, "2"}, {Setting::Buf, "2048"}, {Setting::Weight, "77"},
      {Setting::Trigger, "5"}, {Setting::Answer, "6"}, {Setting::AnswerTime, "1234"}, {Setting::Timer, "9"},
      {Setting::Log, "1"}, {Setting::Task, "0"}, {Setting::TaskShift, "1"}, {Setting::PortScan, "1"},
      {Setting::DelayTime, "500"}, {Setting::Select, "1"}, {Setting::RcvHead, "3"}, {Setting::HeadOther, "13"},
      {Setting::RcvFoot, "6"}, {Setting::FootOther, "10"}, {Setting::SendKey, "0"}, {Setting::SendKeySpc, "0"},
      {Setting::DOSSendKey, "2"}, {Setting::LowSendKey, "1"}, {Setting::KeyWeight, "20"},
      {Setting::KeyDwnWeight, "30"}, {Setting::KeyHead, "{TAB}ab"}, {Setting::KeyFoot, "{ENTER}"},
      {Setting::File, "1"}, {Setting::FilePath, folder + "/出力.txt"}, {Setting::Chikan, "1"},
      {Setting::ByteEd, "1"}, {Setting::EANRead, "0"}, {Setting::EANSend, "3"}, {Setting::EANAISelect, "1"},
      {Setting::EANStartCD, ""}, {Setting::EANDate, "1"}, {Setting::EANDecimal, "1"}, {Setting::EANSort, "1"},
      {Setting::EANSeparate, "29"}, {Setting::EANCheck, "2"}, {Setting::BookJAN, "1"}, {Setting::BookJAN1, "1"}, {Setting::AddOn, "1"},
      {Setting::ISBN, "1"}, {Setting::ISBN13, "1"}, {Setting::JAN2toISBN, "3"}, {Setting::ConvMode, "4"},
      {Setting::SPCWeight, "999"}, {Setting::BookSeparate, "45"}, {Setting::EANSymbology, "0"},
      {Setting::EANDigitalLink, "0"},
  };
  for (const auto& [setting, value] : values) record.set(setting, value);
  return record;
}

TEST_F(SettingsTransfer, EverySettingSurvivesOpenAndOk) {
  const Settings changed = everyValueChanged(ui.harness.dir.path().string());
  for (std::size_t i = 0; i < settings::kSettingCount; ++i) {
    const auto setting = static_cast<Setting>(i);
    if (setting != Setting::Task) {
      EXPECT_NE(changed.get(setting), Settings::defaults().get(setting)) << i;
    }
  }
  live() = changed;
  auto dialog = open();
  click(*dialog, "cmdOK");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(live(), changed);
  EXPECT_TRUE(ui.lines().empty());
  settings::Configuration reread;
  settings::LoadSettings(reread, ui.harness.paths.ini());
  EXPECT_EQ(reread.settings, changed);
}

TEST_F(SettingsTransfer, OneUnshowableValueLeavesEveryOtherSettingAsStored) {
  Settings changed = everyValueChanged(ui.harness.dir.path().string());
  changed.set(Setting::RcvHead, "99");
  live() = changed;
  auto dialog = open();
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", "GetTBL", kGetTblText)});
  click(*dialog, "cmdOK");
  changed.set(Setting::RcvHead, "0");  // the control showed its default
  EXPECT_EQ(live(), changed);
}

TEST_F(SettingsTransfer, DefaultsSurviveOpenAndOk) {
  auto dialog = open();
  click(*dialog, "cmdOK");
  EXPECT_EQ(live(), Settings::defaults());
}

TEST_F(SettingsTransfer, DefaultButtonShowsTheDefaultsTwiceAlikeAndStoresOnlyOnOk) {
  const Settings changed = everyValueChanged(ui.harness.dir.path().string());
  live() = changed;
  auto dialog = open();
  click(*dialog, "DefaultCmd");
  const QString firstBaud = child<QComboBox>(*dialog, "BaudCmb").currentText();
  const int tracked = child<QComboBox>(*dialog, "TrigCmb").count();
  click(*dialog, "DefaultCmd");
  EXPECT_EQ(child<QComboBox>(*dialog, "BaudCmb").currentText(), firstBaud);
  EXPECT_EQ(child<QComboBox>(*dialog, "TrigCmb").count(), tracked);
  EXPECT_EQ(firstBaud, QStringLiteral("  9600 bps"));
  EXPECT_EQ(live(), changed);
  click(*dialog, "cmdOK");
  Settings expected = Settings::defaults();
  expected.set(Setting::Task, "0");  // not on the dialog: keeps its value
  EXPECT_EQ(live(), expected);
}

struct Normalised {
  Setting setting;
  const char* stored;
  const char* afterOk;
};

// Values the lists cannot show are shown as their fixed choice and stored as it.
class SettingsTransferNormalises : public SettingsTransfer, public ::testing::WithParamInterface<Normalised> {};

TEST_P(SettingsTransferNormalises, StoresTheChoiceTheDialogShowed) {
  live().set(GetParam().setting, GetParam().stored);
  auto dialog = open();
  click(*dialog, "cmdOK");
  EXPECT_EQ(live().get(GetParam().setting), GetParam().afterOk);
  EXPECT_TRUE(ui.lines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsTransferNormalises,
    ::testing::Values(Normalised{Setting::Baud, "300", "9600"}, Normalised{Setting::Port, "0", "1"},
                      Normalised{Setting::Port, "17", "1"}, Normalised{Setting::Port, "", "1"},
                      Normalised{Setting::Data, "9", "8"}, Normalised{Setting::Stop, "3", "1"},
                      Normalised{Setting::Parity, "x", "n"}, Normalised{Setting::Hand, "5", "0"},
                      Normalised{Setting::ConvMode, "7", "0"}, Normalised{Setting::Log, "", "1"},
                      Normalised{Setting::Select, "", "0"}, Normalised{Setting::DOSSendKey, "9", "0"},
                      Normalised{Setting::EANSend, "9", "1"}, Normalised{Setting::JAN2toISBN, "4", "0"},
                      Normalised{Setting::Trigger, "-1", "-1"}, Normalised{Setting::RcvHead, "-1", "0"},
                      Normalised{Setting::HeadOther, " 13 ", "13"}, Normalised{Setting::FootOther, "12.6", "13"}));

TEST_F(SettingsTransfer, BaudOutsideTheListShows9600) {
  live().set(Setting::Baud, "300");
  auto dialog = open();
  EXPECT_EQ(child<QComboBox>(*dialog, "BaudCmb").currentText(), QStringLiteral("  9600 bps"));
}

struct Unshowable {
  Setting setting;
  const char* stored;
  const char* failingControl;
  const char* description;
};

class GetTblFailure : public SettingsTransfer, public ::testing::WithParamInterface<Unshowable> {};

TEST_P(GetTblFailure, ReportsOnceAndShowsTheDefaultInThatControl) {
  live().set(GetParam().setting, GetParam().stored);
  live().set(Setting::Hand, "2");
  live().set(Setting::EANRead, "0");
  auto dialog = open();
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", "GetTBL", kGetTblText)});
  EXPECT_EQ(ui.harness.errorLines(), std::vector<std::string>{std::string("[GetTBL] QELT:") + GetParam().description});
  // Other controls show their values, earlier and later alike; the failing one its default.
  EXPECT_EQ(child<QComboBox>(*dialog, "HandCmb").currentIndex(), 2);
  EXPECT_EQ(child<QComboBox>(*dialog, GetParam().failingControl).currentIndex(), 0);
  EXPECT_FALSE(child<QCheckBox>(*dialog, "EANChk").isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetTblFailure,
    ::testing::Values(Unshowable{Setting::Trigger, "200", "TrigCmb", "プロパティの値が不正です。"},
                      Unshowable{Setting::Trigger, "abc", "TrigCmb", "型が一致しません。"},
                      Unshowable{Setting::Trigger, "-2", "TrigCmb", "プロパティの値が不正です。"},
                      Unshowable{Setting::Answer, "128", "AnswCmb", "プロパティの値が不正です。"},
                      Unshowable{Setting::RcvHead, "4", "RecvHeadCmb", "プロパティの値が不正です。"},
                      Unshowable{Setting::RcvFoot, "7", "RecvFootCmb", "プロパティの値が不正です。"},
                      Unshowable{Setting::EANSeparate, "", "EANSeparateCmb", "型が一致しません。"}));

TEST_F(SettingsTransfer, EveryUnshowableValueIsStoredAsTheDefaultOnOk) {
  live().set(Setting::Trigger, "200");
  live().set(Setting::Answer, "abc");
  live().set(Setting::BookSeparate, "-5");
  auto dialog = open();
  EXPECT_EQ(ui.lines().size(), 1u);  // one box for all of them
  click(*dialog, "cmdOK");
  EXPECT_EQ(live().get(Setting::Trigger), "0");
  EXPECT_EQ(live().get(Setting::Answer), "0");
  EXPECT_EQ(live().get(Setting::BookSeparate), "0");
}

TEST_F(SettingsTransfer, SpecialListsShowTheirIndex) {
  live().set(Setting::HeadOther, "13");
  auto dialog = open();
  const auto& list = child<QListWidget>(*dialog, "RecvHeadOtherLst");
  ASSERT_EQ(list.selectedItems().size(), 1);
  EXPECT_EQ(list.selectedItems().front()->text(), QStringLiteral("0Dh: <C R>"));
}

TEST_F(SettingsTransfer, BookRowOneClearsBookJoinWhenLoaded) {
  live().set(Setting::JAN2toISBN, "1");
  live().set(Setting::BookJAN, "1");
  auto dialog = open();
  EXPECT_FALSE(child<QCheckBox>(*dialog, "BookJANChk").isChecked());
  EXPECT_TRUE(child<QCheckBox>(*dialog, "JAN2toISBN1Chk").isChecked());
  click(*dialog, "cmdOK");
  EXPECT_EQ(live().get(Setting::BookJAN), "0");
  EXPECT_EQ(live().get(Setting::JAN2toISBN), "1");
}

TEST_F(SettingsTransfer, LastCheckedTransferModeWins) {
  live().set(Setting::DOSSendKey, "1");
  auto dialog = open();
  child<QCheckBox>(*dialog, "PCOMM2SendChk").setChecked(true);
  click(*dialog, "cmdOK");
  EXPECT_EQ(live().get(Setting::DOSSendKey), "3");
}

TEST_F(SettingsTransfer, EmptyStartCodeIsWrittenAsNull) {
  live().set(Setting::EANStartCD, "]C1");
  auto dialog = open();
  child<QLineEdit>(*dialog, "EANStartCDTxt").clear();
  click(*dialog, "cmdOK");
  EXPECT_EQ(live().get(Setting::EANStartCD), "");
  EXPECT_EQ(settings::ReadIniString("KEY", "EANStartCD", "", ui.harness.paths.ini()), "NULL");
}

TEST_F(SettingsTransfer, UnwritableSettingsFileIsReportedAndTheDialogStillCloses) {
  writeFile(ui.harness.dir / "plain", "x");
  ui.context.paths.dir = ui.harness.dir / "plain";  // QELT.INI under a regular file
  auto dialog = open();
  child<QComboBox>(*dialog, "BaudCmb").setCurrentIndex(0);
  click(*dialog, "cmdOK");
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", "PutPGPra", "設定ファイルの書き込みに失敗しました。")});
  EXPECT_EQ(live().get(Setting::Baud), "128000");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(SettingsTransfer, CancelStoresNothing) {
  auto dialog = open();
  child<QComboBox>(*dialog, "BaudCmb").setCurrentIndex(0);
  click(*dialog, "cmdCancel");
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(live(), Settings::defaults());
  EXPECT_TRUE(readFile(ui.harness.paths.ini()).empty());
}

TEST_F(SettingsTransfer, PortListNamesTheDeviceOfEachNumber) {
  writeFile(ui.harness.paths.ini(), "[PORTS]\r\n3=/dev/ttyACM0\r\n");
  auto dialog = open();
  const auto& ports = child<QComboBox>(*dialog, "PortCmb");
  ASSERT_EQ(ports.count(), 16);
  EXPECT_EQ(ports.itemText(0), QStringLiteral("  COM1  (/dev/ttyS0)"));
  EXPECT_EQ(ports.itemText(2), QStringLiteral("  COM3  (/dev/ttyACM0)"));
  EXPECT_EQ(ports.itemText(15), QStringLiteral("  COM16  (/dev/ttyS15)"));
}

TEST_F(SettingsTransfer, PortListShowsStableNamesAndStoresTheChosenOne) {
  writeFile(ui.harness.paths.ini(), "[PORTS]\r\n3=/dev/ttyACM0\r\n");
  live().set(Setting::Port, "16");
  const std::string byId = "/dev/serial/by-id/";
  ui.context.stableSerialNames = [&] {
    return std::vector<platform::StableSerialName>{{byId + "usb-Maker_Reader_0001-if00", "/dev/ttyACM0"},
                                                   {byId + "usb-Maker_Scanner_0002-if00", "/dev/ttyUSB0"}};
  };
  auto dialog = open();
  auto& ports = child<QComboBox>(*dialog, "PortCmb");
  // The configured reader keeps its number; the new one takes the highest free number
  // but the one in use.
  EXPECT_EQ(ui::str(ports.itemText(2)), "  COM3  (" + byId + "usb-Maker_Reader_0001-if00)");
  EXPECT_EQ(ui::str(ports.itemText(14)), "  COM15  (" + byId + "usb-Maker_Scanner_0002-if00)");
  EXPECT_EQ(ui::str(ports.itemText(15)), "  COM16  (/dev/ttyS15)");
  ports.setCurrentIndex(14);
  click(*dialog, "cmdOK");
  EXPECT_EQ(live().get(Setting::Port), "15");
  EXPECT_EQ(settings::ReadIniString("PORTS", "15", "", ui.harness.paths.ini()), byId + "usb-Maker_Scanner_0002-if00");
  EXPECT_EQ(settings::ReadIniString("PORTS", "3", "", ui.harness.paths.ini()), "/dev/ttyACM0");

  auto again = open();
  child<QComboBox>(*again, "PortCmb").setCurrentIndex(2);
  click(*again, "cmdOK");
  EXPECT_EQ(settings::ReadIniString("PORTS", "3", "", ui.harness.paths.ini()), byId + "usb-Maker_Reader_0001-if00");
  EXPECT_EQ(ui::str(child<QComboBox>(*open(), "PortCmb").itemText(14)), "  COM15  (" + byId + "usb-Maker_Scanner_0002-if00)");
  EXPECT_TRUE(ui.lines().empty());
}

TEST_F(SettingsTransfer, PortListOfASystemThatReportsItsPortsHasNoDevicePaths) {
  writeFile(ui.harness.paths.ini(), "[PORTS]\r\n4=COM9\r\n");
  ui.context.systemSerialPorts = [] {
    return std::vector<platform::SystemSerialPort>{{1, "Communications Port (COM1)"}, {3, "\\Device\\VCP0"}, {17, "x"}};
  };
  auto dialog = open();
  auto& ports = child<QComboBox>(*dialog, "PortCmb");
  ASSERT_EQ(ports.count(), 16);
  EXPECT_EQ(ports.itemText(0), QStringLiteral("  COM1  (Communications Port (COM1))"));
  EXPECT_EQ(ports.itemText(1), QStringLiteral("  COM2"));
  EXPECT_EQ(ports.itemText(2), QStringLiteral("  COM3  (\\Device\\VCP0)"));
  EXPECT_EQ(ports.itemText(3), QStringLiteral("  COM4  (COM9)"));
  EXPECT_EQ(ports.itemText(15), QStringLiteral("  COM16"));
  ports.setCurrentIndex(2);
  click(*dialog, "cmdOK");
  EXPECT_EQ(live().get(Setting::Port), "3");
  EXPECT_EQ(settings::ReadIniString("PORTS", "3", "", ui.harness.paths.ini()), "");
}

struct ListShape {
  const char* control;
  int count;
  int index;
  const char* entry;
};

class FillListsEntries : public SettingsTransfer, public ::testing::WithParamInterface<ListShape> {};

TEST_P(FillListsEntries, HoldTheirTexts) {
  auto dialog = open();
  auto& list = child<QWidget>(*dialog, GetParam().control);
  QString text;
  int count = 0;
  if (auto* combo = qobject_cast<QComboBox*>(&list)) {
    count = combo->count();
    text = combo->itemText(GetParam().index);
  } else {
    auto& box = dynamic_cast<QListWidget&>(list);
    count = box.count();
    text = box.item(GetParam().index)->text();
  }
  EXPECT_EQ(count, GetParam().count);
  EXPECT_EQ(ui::str(text), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FillListsEntries,
    ::testing::Values(ListShape{"BaudCmb", 10, 2, " 57600 bps"}, ListShape{"DataCmb", 5, 4, "    4"},
                      ListShape{"StopCmb", 3, 1, "   1.5"}, ListShape{"ParityCmb", 3, 1, "   偶数"},
                      ListShape{"HandCmb", 3, 1, " XOn/Xoff"}, ListShape{"TrigCmb", 128, 13, "<C R>"},
                      ListShape{"AnswCmb", 128, 127, "<DEL>"}, ListShape{"RecvHeadCmb", 4, 0, "な  し"},
                      ListShape{"RecvFootCmb", 7, 5, "<CR><LF>"}, ListShape{"RecvFootOtherLst", 128, 65, "41h: A"},
                      ListShape{"RecvHeadOtherLst", 128, 0, "な  し"}, ListShape{"ConvModeCmb", 5, 3, "半角→全角"},
                      ListShape{"EANSeparateCmb", 128, 29, "<G S>"}, ListShape{"BookSeparateCmb", 128, 0, "な  し"},
                      ListShape{"EANCheckCmb", 3, 2, "入力しない"}));

}  // namespace
}  // namespace orbelin::test
