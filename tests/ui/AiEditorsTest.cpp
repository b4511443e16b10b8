// The EAN-128 AI editors: what they show and what they write to the EAN128 table.
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "convert/ean/AiTableStore.h"
#include "ui/AiListItems.h"
#include "ui/frmEANNo.h"
#include "ui/frmEANSet.h"

namespace orbelin::test {
namespace {

using convert::ean::AiRow;
using convert::ean::AiTable;

AiRow row(const char* ai, const char* name, bool out, int setNo) {
  AiRow made;
  made.ai = ai;
  made.name = name;
  made.maxLen = 10;
  made.out = out;
  made.setNo = setNo;
  return made;
}

class AiEditors : public ::testing::Test {
 protected:
  AiEditors() {
    store().create({row("00", "SSCC", true, 3), row("01", "GTIN", false, 1), row("10", "BATCH", true, 4),
                    row("3103", "NET WEIGHT", false, 2)});
  }
  convert::ean::AiTableStore store() const { return convert::ean::AiTableStore(ui.harness.paths.database()); }
  static std::vector<std::string> texts(const QListWidget& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.count(); ++i) items.push_back(ui::str(list.item(i)->text()));
    return items;
  }
  std::vector<std::string> chosenAis() const {
    std::vector<std::string> ais;
    for (const auto& stored : store().readAll()) {
      if (stored.out) ais.push_back(stored.ai);
    }
    return ais;
  }
  std::vector<std::string> outputOrder() const {
    std::vector<std::string> ais;
    for (const auto& stored : store().readBySetNo()) ais.push_back(stored.ai + "=" + std::to_string(stored.setNo));
    return ais;
  }
  void select(QListWidget& list, int row) { list.setCurrentRow(row); }

  UiFixture ui;
};

TEST_F(AiEditors, ItemTextsPadAndCutTheAiToFour) {
  EXPECT_EQ(ui::aiItemText(row("10", "BATCH", true, 1)), QStringLiteral("10  :BATCH"));
  EXPECT_EQ(ui::aiItemText(row("31031", "X", true, 1)), QStringLiteral("3103:X"));
  EXPECT_EQ(ui::aiOfItem(QStringLiteral("10  :BATCH")), "10");
}

TEST_F(AiEditors, SelectionEditorSplitsTheRowsByOut) {
  ui::frmEANSet editor(ui.context);
  EXPECT_EQ(editor.windowTitle(), QStringLiteral("ＡＩ 識別子より必要データのみ抽出"));
  EXPECT_EQ(texts(child<QListWidget>(editor, "AIList")), (std::vector<std::string>{"00  :SSCC", "10  :BATCH"}));
  EXPECT_EQ(texts(child<QListWidget>(editor, "AIDBList")), (std::vector<std::string>{"01  :GTIN", "3103:NET WEIGHT"}));
}

TEST_F(AiEditors, SelectionOkWritesTheChoice) {
  ui::frmEANSet editor(ui.context);
  auto& others = child<QListWidget>(editor, "AIDBList");
  select(others, 1);
  click(editor, "AddCmd");
  select(child<QListWidget>(editor, "AIList"), 0);
  click(editor, "DelCmd");
  EXPECT_EQ(texts(others), (std::vector<std::string>{"01  :GTIN", "00  :SSCC"}));
  click(editor, "cmdOK");
  EXPECT_EQ(editor.result(), QDialog::Accepted);
  EXPECT_EQ(chosenAis(), (std::vector<std::string>{"10", "3103"}));
}

TEST_F(AiEditors, AddWithoutSelectionDoesNothing) {
  ui::frmEANSet editor(ui.context);
  child<QListWidget>(editor, "AIDBList").clearSelection();
  click(editor, "AddCmd");
  EXPECT_EQ(child<QListWidget>(editor, "AIList").count(), 2);
}

TEST_F(AiEditors, SelectAllThenOkChoosesEveryRow) {
  ui::frmEANSet editor(ui.context);
  click(editor, "AddAllCmd");
  EXPECT_EQ(child<QListWidget>(editor, "AIList").count(), 4);
  EXPECT_EQ(child<QListWidget>(editor, "AIDBList").count(), 0);
  click(editor, "cmdOK");
  EXPECT_EQ(chosenAis(), (std::vector<std::string>{"00", "01", "10", "3103"}));
}

TEST_F(AiEditors, DeselectAllThenCancelWritesNothing) {
  ui::frmEANSet editor(ui.context);
  click(editor, "DelAllCmd");
  EXPECT_EQ(child<QListWidget>(editor, "AIList").count(), 0);
  click(editor, "cmdCancel");
  EXPECT_EQ(chosenAis(), (std::vector<std::string>{"00", "10"}));
}

TEST_F(AiEditors, UnreadableTableIsReportedOnLoading) {
  ui.context.paths.dir = ui.harness.dir / "elsewhere";
  ui::frmEANSet editor(ui.context);
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", "frmEANSetFormLoad", ui::kAiReadFailed)});
  EXPECT_EQ(child<QListWidget>(editor, "AIList").count(), 0);
}

TEST_F(AiEditors, FailedWriteIsReportedAndTheEditorStaysOpen) {
  ui::frmEANSet editor(ui.context);
  writeFile(ui.harness.paths.database(), "not a database at all, just text");
  click(editor, "cmdOK");
  EXPECT_EQ(ui.lines(), std::vector<std::string>{boxLine("warning", "frmEANSetcmdOK", ui::kAiWriteFailed)});
  EXPECT_NE(editor.result(), QDialog::Accepted);
  ASSERT_EQ(ui.harness.errorLines().size(), 1u);
  EXPECT_EQ(ui.harness.errorLines()[0].rfind("[frmEANSetcmdOK] QELT:", 0), 0u);
}

TEST_F(AiEditors, OrderEditorListsByOutputOrderAndNumbersInListOrder) {
  ui::frmEANNo editor(ui.context);
  auto& list = child<QListWidget>(editor, "AIDBList");
  EXPECT_EQ(texts(list), (std::vector<std::string>{"01  :GTIN", "3103:NET WEIGHT", "00  :SSCC", "10  :BATCH"}));
  select(list, 2);
  click(editor, "AddCmd");
  EXPECT_EQ(list.currentRow(), 1);
  click(editor, "cmdOK");
  EXPECT_EQ(outputOrder(), (std::vector<std::string>{"01=1", "00=2", "3103=3", "10=4"}));
}

TEST_F(AiEditors, UpOnTheFirstAndDownOnTheLastDoNothing) {
  ui::frmEANNo editor(ui.context);
  auto& list = child<QListWidget>(editor, "AIDBList");
  const auto before = texts(list);
  select(list, 0);
  click(editor, "AddCmd");
  select(list, 3);
  click(editor, "DelCmd");
  EXPECT_EQ(texts(list), before);
  EXPECT_EQ(list.currentRow(), 3);
}

TEST_F(AiEditors, DefaultOrderIsTheStoredOrder) {
  ui::frmEANNo editor(ui.context);
  click(editor, "DefaultCmd");
  EXPECT_EQ(texts(child<QListWidget>(editor, "AIDBList")),
            (std::vector<std::string>{"00  :SSCC", "01  :GTIN", "10  :BATCH", "3103:NET WEIGHT"}));
}

TEST_F(AiEditors, DraggingMovesTheItemToTheDropRow) {
  ui::frmEANNo editor(ui.context);
  editor.show();
  auto& list = child<QListWidget>(editor, "AIDBList");
  const QPoint first = list.visualItemRect(list.item(0)).center();
  const QPoint third = list.visualItemRect(list.item(2)).center();
  QTest::mousePress(list.viewport(), Qt::LeftButton, Qt::NoModifier, first);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, Qt::NoModifier, third);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"3103:NET WEIGHT", "00  :SSCC", "01  :GTIN", "10  :BATCH"}));
  // Below the last item counts as the last item.
  QTest::mousePress(list.viewport(), Qt::LeftButton, Qt::NoModifier, first);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(first.x(), list.viewport()->height() - 2));
  EXPECT_EQ(texts(list).back(), "3103:NET WEIGHT");
}

}  // namespace
}  // namespace orbelin::test
