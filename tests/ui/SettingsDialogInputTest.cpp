// The settings dialog's input checks, buttons, pickers and file chooser.
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "settings/SettingsStore.h"
#include "ui/frmSet.h"

namespace orbelin::test {
namespace {

using settings::Setting;

constexpr std::string_view kCheck = "入力確認";

class SettingsInput : public ::testing::Test {
 protected:
  // With packets chosen, their interval boxes are enabled and take input.
  SettingsInput() {
    live().set(Setting::Trigger, "1");
    live().set(Setting::Answer, "2");
  }
  std::unique_ptr<ui::frmSet> open() { return std::make_unique<ui::frmSet>(ui.context, [this] { ++connects; }); }
  settings::Settings& live() { return ui.configuration.settings; }
  QLineEdit& box(const ui::frmSet& dialog, std::string_view name) { return child<QLineEdit>(dialog, name); }
  /// The dialog, active, with 500 in the buffer box (below its range) and the focus there.
  std::unique_ptr<ui::frmSet> openWithBufferOutOfRange() {
    auto dialog = open();
    showActive(*dialog);
    dialog->showPage("COM_1");
    auto& buffer = box(*dialog, "BufTxt");
    buffer.setText(QStringLiteral("500"));
    buffer.setFocus();
    return dialog;
  }

  UiFixture ui;
  int connects = 0;
};

TEST_F(SettingsInput, OkWithOutputFileButNoNameKeepsTheDialogOnTheFilePage) {
  const settings::Settings before = live();
  auto dialog = open();
  showActive(*dialog);
  child<QCheckBox>(*dialog, "FileChk").setChecked(true);
  click(*dialog, "cmdOK");
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", kCheck, "ファイル名を入力してください")});
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(child<QWidget>(*dialog, "fraFIL_0").isVisible());
  EXPECT_EQ(child<QTreeWidget>(*dialog, "tvwImageList").currentItem(), dialog->node("FIL_0"));
  EXPECT_EQ(QApplication::focusWidget(), &box(*dialog, "FilePathTxt"));
  EXPECT_EQ(live(), before);
}

TEST_F(SettingsInput, SetAndConnectWithNoNameIsRefusedAlike) {
  auto dialog = open();
  child<QCheckBox>(*dialog, "FileChk").setChecked(true);
  click(*dialog, "cmdOKConnect");
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", kCheck, "ファイル名を入力してください")});
  EXPECT_EQ(connects, 0);
  EXPECT_NE(dialog->result(), QDialog::Accepted);
}

TEST_F(SettingsInput, OkRefusesAMissingFolderThatSetAndConnectAccepts) {
  const std::string missing = (ui.harness.dir / "nowhere").string() + "/out.txt";
  auto dialog = open();
  child<QCheckBox>(*dialog, "FileChk").setChecked(true);
  box(*dialog, "FilePathTxt").setText(ui::qs(missing));
  click(*dialog, "cmdOK");
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", kCheck, "指定されたフォルダが存在しません")});
  EXPECT_NE(dialog->result(), QDialog::Accepted);
  click(*dialog, "cmdOKConnect");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(connects, 1);
  EXPECT_EQ(live().get(Setting::File), "1");
  EXPECT_EQ(live().get(Setting::FilePath), missing);
  EXPECT_EQ(settings::ReadIniString("KEY", "FilePath", "", ui.harness.paths.ini()), missing);
}

TEST_F(SettingsInput, OkAcceptsAFileInAnExistingFolder) {
  auto dialog = open();
  child<QCheckBox>(*dialog, "FileChk").setChecked(true);
  box(*dialog, "FilePathTxt").setText(ui::qs((ui.harness.dir / "out.txt").string()));
  click(*dialog, "cmdOK");
  EXPECT_TRUE(ui.lines().empty());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(connects, 0);
}

// The program writes a relative name under its own folder, whatever the working folder is.
TEST_F(SettingsInput, OkLooksForARelativeNamesFolderInTheProgramFolder) {
  std::filesystem::create_directory(ui.harness.paths.dir / "出力先");
  auto dialog = open();
  child<QCheckBox>(*dialog, "FileChk").setChecked(true);
  box(*dialog, "FilePathTxt").setText(QStringLiteral("出力先/out.txt"));
  click(*dialog, "cmdOK");
  EXPECT_TRUE(ui.lines().empty());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(SettingsInput, FolderOfCutsAtTheLastSlash) {
  EXPECT_EQ(ui::FolderOf("/a/b/c.txt"), "/a/b");
  EXPECT_EQ(ui::FolderOf("c.txt"), "");
  EXPECT_EQ(ui::FolderOf("/c.txt"), "");
}

TEST_F(SettingsInput, NumberBoxesDropTypedCharactersOtherThanDigits) {
  auto dialog = open();
  showActive(*dialog);
  for (const char* name : {"BufTxt", "WeightTxt", "TimerTxt", "KeyWeightTxt", "KeyDwnWeightTxt", "SPCWeightTxt",
                           "DelayTimeTxt"}) {
    auto& number = box(*dialog, name);
    number.clear();
    QTest::keyClicks(&number, "1a2-3 .4");
    EXPECT_EQ(number.text(), QStringLiteral("1234")) << name;
    QTest::keyClick(&number, Qt::Key_Backspace);
    EXPECT_EQ(number.text(), QStringLiteral("123")) << name;
  }
  auto& answer = box(*dialog, "AnswTimeTxt");
  answer.clear();
  QTest::keyClicks(&answer, "1a");
  EXPECT_EQ(answer.text(), QStringLiteral("1a"));  // this box has no filter
}

struct Leave {
  const char* page;
  const char* box;
  const char* text;
  const char* towards;
  const char* title;    ///< empty: no message
  const char* message;
  bool focusReturns;
};

class LeaveCheck : public SettingsInput, public ::testing::WithParamInterface<Leave> {};

TEST_P(LeaveCheck, RunsWhenTheFocusMovesOn) {
  const auto& leave = GetParam();
  auto dialog = open();
  showActive(*dialog);
  dialog->showPage(leave.page);
  auto& checked = box(*dialog, leave.box);
  checked.setText(QString::fromUtf8(leave.text));
  checked.setFocus();
  ASSERT_EQ(QApplication::focusWidget(), &checked);
  child<QWidget>(*dialog, leave.towards).setFocus();
  if (std::string_view(leave.title).empty()) {
    EXPECT_TRUE(ui.lines().empty());
  } else {
    EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", leave.title, leave.message)});
  }
  EXPECT_EQ(QApplication::focusWidget() == &checked, leave.focusReturns);
  EXPECT_EQ(checked.text(), QString::fromUtf8(leave.text));
}

INSTANTIATE_TEST_SUITE_P(
    Values, LeaveCheck,
    ::testing::Values(Leave{"COM_1", "BufTxt", "", "WeightTxt", "入力確認", "数値を入力してください", true},
                      Leave{"COM_1", "BufTxt", "500", "WeightTxt", "入力確認", "1024～32000の値を設定してください", true},
                      Leave{"COM_1", "BufTxt", "32001", "tvwImageList", "入力確認", "1024～32000の値を設定してください", true},
                      Leave{"COM_1", "BufTxt", "1024", "WeightTxt", "", "", false},
                      Leave{"COM_1", "BufTxt", "32000", "WeightTxt", "", "", false},
                      Leave{"COM_1", "BufTxt", "abc", "WeightTxt", "BufTxt_LostFocus", "数値変換に失敗しました", false},
                      Leave{"COM_1", "BufTxt", "500", "cmdCancel", "", "", false},
                      Leave{"COM_1", "BufTxt", "", "cmdCancel", "", "", false},
                      Leave{"COM_1", "WeightTxt", "", "cmdOK", "入力確認", "数値を入力してください", true},
                      Leave{"COM_2", "AnswTimeTxt", "", "TrigCmb", "入力確認", "数値を入力してください", true},
                      Leave{"MOV_0", "DelayTimeTxt", "", "TaskShiftChk", "入力確認", "数値を入力してください", true},
                      Leave{"SPC_2", "SPCWeightTxt", "0", "BookJANChk", "", "", false}));

TEST_F(SettingsInput, OkAfterARejectedLeaveStoresNothing) {
  auto dialog = openWithBufferOutOfRange();
  auto& buffer = box(*dialog, "BufTxt");
  child<QWidget>(*dialog, "cmdOK").setFocus();  // as the press on OK moves the focus
  click(*dialog, "cmdOK");
  EXPECT_NE(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(live().get(Setting::Buf), "5120");
  buffer.setText(QStringLiteral("2000"));
  click(*dialog, "cmdOK");
  EXPECT_EQ(live().get(Setting::Buf), "2000");
}

TEST_F(SettingsInput, ARejectedBoxKeepsItsPageWhenANodeIsChosen) {
  auto dialog = openWithBufferOutOfRange();
  auto& buffer = box(*dialog, "BufTxt");
  auto& tree = child<QTreeWidget>(*dialog, "tvwImageList");
  tree.setFocus();  // as the press on a node moves the focus first
  tree.setCurrentItem(dialog->node("SND_0"));
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", kCheck, "1024～32000の値を設定してください")});
  EXPECT_EQ(tree.currentItem(), dialog->node("COM_1"));
  EXPECT_TRUE(child<QWidget>(*dialog, "fraCOM_1").isVisible());
  EXPECT_EQ(QApplication::focusWidget(), &buffer);
  buffer.setText(QStringLiteral("4096"));
  tree.setFocus();
  tree.setCurrentItem(dialog->node("SND_0"));
  EXPECT_TRUE(child<QWidget>(*dialog, "fraSND_0").isVisible());
  EXPECT_EQ(ui.lines().size(), 1u);
}

TEST_F(SettingsInput, CancelAfterAnOutOfRangeBufferClosesWithoutStoring) {
  auto dialog = openWithBufferOutOfRange();
  child<QWidget>(*dialog, "cmdCancel").setFocus();
  click(*dialog, "cmdCancel");
  EXPECT_TRUE(ui.lines().empty());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(live().get(Setting::Buf), "5120");
}

struct KeyPick {
  const char* button;
  const char* box;
};

class KeyPicker : public SettingsInput, public ::testing::WithParamInterface<KeyPick> {};

TEST_P(KeyPicker, AppendsThePickedKeyAtTheEnd) {
  auto dialog = open();
  auto& target = box(*dialog, GetParam().box);
  target.setText(QStringLiteral("abc"));
  target.setCursorPosition(0);
  ui.modals.then([](QDialog& picker) { click(picker, "EnterCmd"); });
  click(*dialog, GetParam().button);
  EXPECT_EQ(ui.modals.opened, std::vector<std::string>{"frmKeySet"});
  EXPECT_EQ(target.text(), QStringLiteral("abc{ENTER}"));
  click(*dialog, GetParam().button);  // closed by its close box: nothing
  EXPECT_EQ(target.text(), QStringLiteral("abc{ENTER}"));
}

INSTANTIATE_TEST_SUITE_P(Values, KeyPicker,
                         ::testing::Values(KeyPick{"KeyHeadCmd", "KBHeadTxt"}, KeyPick{"KeyFootCmd", "KBFootTxt"}));

TEST_F(SettingsInput, FileChooserReplacesTheNameWhenOneIsChosen) {
  auto dialog = open();
  box(*dialog, "FilePathTxt").setText(QStringLiteral("old"));
  ui.modals.chooseFile(QStringLiteral("/data/新しい.txt"));
  click(*dialog, "FileCmd");
  EXPECT_EQ(box(*dialog, "FilePathTxt").text(), QStringLiteral("/data/新しい.txt"));
  click(*dialog, "FileCmd");  // cancelled
  EXPECT_EQ(box(*dialog, "FilePathTxt").text(), QStringLiteral("/data/新しい.txt"));
  const std::string expected = "開く|全てのﾌｧｲﾙ (*)|" + ui.harness.dir.path().string();
  EXPECT_EQ(ui.modals.fileChoosers, (std::vector<std::string>{expected, expected}));
}

TEST_F(SettingsInput, EditorButtonsOpenTheirEditors) {
  struct Editor {
    Setting setting;
    const char* button;
    const char* window;
  };
  const Editor editors[] = {{Setting::Chikan, "ChikanCmd", "frmChikanSet"},
                            {Setting::ByteEd, "ByteEdCmd", "frmByteEdSet"},
                            {Setting::EANAISelect, "EANCmd", "frmEANSet"},
                            {Setting::EANSort, "EANSortCmd", "frmEANNo"}};
  for (const Editor& editor : editors) live().set(editor.setting, "1");
  auto dialog = open();
  std::vector<std::string> expected;
  for (const Editor& editor : editors) {
    click(*dialog, editor.button);
    expected.emplace_back(editor.window);
  }
  EXPECT_EQ(ui.modals.opened, expected);
}

}  // namespace
}  // namespace orbelin::test
