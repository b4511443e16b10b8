// The substitution and byte-edit editors: what they store, warn about and refuse.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "settings/SettingsStore.h"
#include "ui/frmByteEdSet.h"
#include "ui/frmChikanSet.h"

namespace orbelin::test {
namespace {

using settings::Setting;

constexpr std::string_view kChikanNotice =
    "置換でキー入力を利用するには、\r\n\r\n『特殊コード【{}】を括弧で囲む』のチェックを外す必要があります。";
constexpr std::string_view kByteEdNotice =
    "バイト編集でキー入力を利用するには、\r\n\r\n『特殊コード【{}】を括弧で囲む』のチェックを外す必要があります。";

class Editors : public ::testing::Test {
 protected:
  QLineEdit& box(const QWidget& editor, std::string_view name) { return child<QLineEdit>(editor, name); }
  std::string stored(const char* section, const char* key) {
    return settings::ReadIniString(section, key, "(missing)", ui.harness.paths.ini());
  }
  void pickCode(int row) {
    ui.modals.then([row](QDialog& picker) {
      auto& list = child<QListWidget>(picker, "AsciiLst");
      list.setCurrentRow(row);
      emit list.itemDoubleClicked(list.item(row));
    });
  }

  UiFixture ui;
};

TEST_F(Editors, SubstitutionEditorShowsTheDisplayForms) {
  ui.configuration.tables.substitutions[0] = {"<C R><L F>", "<S P>", "\r\n", " "};
  ui.configuration.tables.substitutions[9].after = "末";
  ui::frmChikanSet editor(ui.context);
  EXPECT_EQ(editor.windowTitle(), QStringLiteral("文字・文字列を置き換える"));
  EXPECT_EQ(box(editor, "BTxt1").text(), QStringLiteral("<C R><L F>"));
  EXPECT_EQ(box(editor, "ATxt1").text(), QStringLiteral("<S P>"));
  EXPECT_EQ(box(editor, "ATxt10").text(), QStringLiteral("末"));
}

TEST_F(Editors, SubstitutionOkStoresDisplayAndWorkingForms) {
  ui::frmChikanSet editor(ui.context);
  pickCode(13);
  click(editor, "BAddCmd1");
  EXPECT_EQ(ui.modals.opened, std::vector<std::string>{"frmAsciiSet"});
  box(editor, "ATxt1").setText(QStringLiteral("x"));
  pickCode(32);
  click(editor, "AAddCmd1");
  box(editor, "BTxt10").setText(QStringLiteral("a<DEL>"));
  click(editor, "cmdOK");
  EXPECT_EQ(editor.result(), QDialog::Accepted);
  EXPECT_TRUE(ui.lines().empty());
  const auto& rows = ui.configuration.tables.substitutions;
  EXPECT_EQ(rows[0], (settings::SubstitutionPair{"<C R>", "x<S P>", "\r", "x "}));
  EXPECT_EQ(rows[9].beforeWorking, "a<DEL>");
  EXPECT_EQ(stored("REP", "CB1"), "<C R>");
  EXPECT_EQ(stored("REP", "CA1"), "x<S P>");
  EXPECT_EQ(stored("REP", "CB10"), "a<DEL>");
}

TEST_F(Editors, KeyPickerAppendsToTheAfterText) {
  ui::frmChikanSet editor(ui.context);
  box(editor, "ATxt4").setText(QStringLiteral("a"));
  ui.modals.then([](QDialog& picker) { click(picker, "TabCmd"); });
  click(editor, "AKeyAddCmd4");
  EXPECT_EQ(box(editor, "ATxt4").text(), QStringLiteral("a{TAB}"));
}

struct Notice {
  const char* spaceAsData;
  const char* box;
  const char* text;
  bool shown;
};

class SubstitutionNotice : public Editors, public ::testing::WithParamInterface<Notice> {};

TEST_P(SubstitutionNotice, WarnsOnlyForKeysInAfterTextsAndStoresAnyway) {
  ui.configuration.settings.set(Setting::SendKeySpc, GetParam().spaceAsData);
  ui::frmChikanSet editor(ui.context);
  box(editor, GetParam().box).setText(QString::fromUtf8(GetParam().text));
  click(editor, "cmdOK");
  const std::vector<std::string> expected =
      GetParam().shown ? std::vector<std::string>{boxLine("information", "設定要求", kChikanNotice)}
                       : std::vector<std::string>{};
  EXPECT_EQ(ui.lines(), expected);
  EXPECT_EQ(stored("REP", std::string_view(GetParam().box) == "ATxt2" ? "CA2" : "CB2"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, SubstitutionNotice,
                         ::testing::Values(Notice{"1", "ATxt2", "{TAB}", true}, Notice{"1", "BTxt2", "{", false},
                                           Notice{"0", "ATxt2", "{TAB}", false}, Notice{"1", "ATxt2", "TAB}", false}));

TEST_F(Editors, SubstitutionClearEmptiesTheBoxesAndCancelStoresNothing) {
  ui.configuration.tables.substitutions[2].before = "b";
  const auto before = ui.configuration.tables;
  ui::frmChikanSet editor(ui.context);
  click(editor, "cmdClear");
  EXPECT_TRUE(box(editor, "BTxt3").text().isEmpty());
  click(editor, "cmdCancel");
  EXPECT_EQ(ui.configuration.tables, before);
  EXPECT_TRUE(readFile(ui.harness.paths.ini()).empty());
}

TEST_F(Editors, ByteEditOkStoresEveryRowAsText) {
  ui::frmByteEdSet editor(ui.context);
  EXPECT_EQ(editor.windowTitle(), QStringLiteral("固定サイズデータ編集(削除・挿入)"));
  EXPECT_EQ(box(editor, "BTxt1").text(), QStringLiteral("0"));
  box(editor, "BTxt3").setText(QStringLiteral("4"));
  box(editor, "DTxt3").setText(QStringLiteral("2"));
  box(editor, "ATxt3").setText(QStringLiteral("<C R>"));
  ui.modals.then([](QDialog& picker) { click(picker, "F5Cmd"); });
  click(editor, "AKeyAddCmd3");
  ui.configuration.settings.set(Setting::SendKeySpc, "1");
  click(editor, "cmdOK");
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("information", "設定要求", kByteEdNotice)});
  EXPECT_EQ(ui.configuration.tables.byteEdits[2], (settings::ByteEditEntry{"4", "2", "<C R>{F5}"}));
  EXPECT_EQ(stored("POS", "BPS3"), "4");
  EXPECT_EQ(stored("POS", "DEL3"), "2");
  EXPECT_EQ(stored("POS", "INS3"), "<C R>{F5}");
}

TEST_F(Editors, ByteEditClearThenCancelLeavesTheTable) {
  ui.configuration.tables.byteEdits[0] = {"3", "1", "x"};
  const auto before = ui.configuration.tables;
  ui::frmByteEdSet editor(ui.context);
  click(editor, "cmdClear");
  EXPECT_EQ(box(editor, "BTxt1").text(), QStringLiteral("0"));
  EXPECT_EQ(box(editor, "DTxt1").text(), QStringLiteral("0"));
  EXPECT_TRUE(box(editor, "ATxt1").text().isEmpty());
  click(editor, "cmdCancel");
  EXPECT_EQ(ui.configuration.tables, before);
}

TEST_F(Editors, ByteEditNumberBoxesTakeDigitsOnly) {
  ui::frmByteEdSet editor(ui.context);
  showActive(editor);
  auto& position = box(editor, "BTxt1");
  position.clear();
  QTest::keyClicks(&position, "a1b2");
  EXPECT_EQ(position.text(), QStringLiteral("12"));
  auto& insert = box(editor, "ATxt1");
  QTest::keyClicks(&insert, "a1");
  EXPECT_EQ(insert.text(), QStringLiteral("a1"));
}

TEST_F(Editors, ByteEditEmptyBoxKeepsTheFocusExceptTowardsCancel) {
  ui::frmByteEdSet editor(ui.context);
  showActive(editor);
  auto& position = box(editor, "BTxt2");
  position.clear();
  position.setFocus();
  box(editor, "DTxt2").setFocus();
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", "入力確認", "数値を入力してください")});
  EXPECT_EQ(QApplication::focusWidget(), &position);
  click(editor, "cmdOK");  // refused: the empty box was already reported
  EXPECT_NE(editor.result(), QDialog::Accepted);
  ui.harness.transcript.clear();
  child<QWidget>(editor, "cmdCancel").setFocus();
  click(editor, "cmdCancel");
  EXPECT_TRUE(ui.lines().empty());
  EXPECT_EQ(editor.result(), QDialog::Rejected);
  EXPECT_EQ(ui.configuration.tables.byteEdits[1].position, "0");
}

}  // namespace
}  // namespace orbelin::test
