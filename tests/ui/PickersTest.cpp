// The key picker and the control-code picker and what they hand to their opener.
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

#include "UiTestSupport.h"
#include "ui/frmAsciiSet.h"
#include "ui/frmKeySet.h"

namespace orbelin::test {
namespace {

TEST(KeyPicker, HasItsFiftyFourButtonsWithUniqueTokens) {
  ui::PickerResult result;
  ui::frmKeySet picker(result);
  EXPECT_EQ(picker.windowTitle(), QStringLiteral("Keyboard"));
  EXPECT_EQ(picker.findChildren<QPushButton*>().size(), 54);
  std::set<std::string> tokens;
  for (const auto& key : ui::keyButtons()) tokens.insert(key.token);
  EXPECT_EQ(tokens.size(), 54u);
  EXPECT_EQ(tokens.count("{BACKSPACE}"), 0u);
}

struct KeyRow {
  const char* button;
  const char* caption;
  const char* token;
};

class KeyPickerButton : public ::testing::TestWithParam<KeyRow> {};

TEST_P(KeyPickerButton, LeavesItsTokenAndCloses) {
  ui::PickerResult result{"left over"};
  ui::frmKeySet picker(result);
  EXPECT_TRUE(result.text.empty());  // loading clears the last pick
  auto& button = child<QPushButton>(picker, GetParam().button);
  EXPECT_EQ(ui::str(button.text()), GetParam().caption);
  click(picker, GetParam().button);
  EXPECT_EQ(result.text, GetParam().token);
  EXPECT_EQ(picker.result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Values, KeyPickerButton,
    ::testing::Values(KeyRow{"DateCmd", "Date", "{Date}"}, KeyRow{"LAltCmd", "Alt左", "{LAlt}"},
                      KeyRow{"LCtrlCmd", "Ctrl 左", "{LCtrl}"}, KeyRow{"RShiftCmd", "Shift 右", "{RShift}"},
                      KeyRow{"EscCmd", "Esc", "{ESC}"}, KeyRow{"EnterCmd", "Enter", "{ENTER}"},
                      KeyRow{"ScrollCmd", "ScrLk", "{SCROLLLOCK}"}, KeyRow{"PrintCmd", "Print", "{PRTSC}"},
                      KeyRow{"ExecuteCmd", "実行", "{Execute}"}, KeyRow{"PDownCmd", "PDn", "{PGDN}"},
                      KeyRow{"LeftCmd", "←", "{LEFT}"}, KeyRow{"DownCmd", "↓", "{DOWN}"},
                      KeyRow{"F1Cmd", "F1", "{F1}"}, KeyRow{"F24Cmd", "F24", "{F24}"}));

TEST(KeyPicker, ClosingByTheCloseBoxLeavesNothing) {
  ui::PickerResult result{"left over"};
  ui::frmKeySet picker(result);
  picker.show();
  picker.close();
  EXPECT_TRUE(result.text.empty());
  EXPECT_EQ(picker.result(), QDialog::Rejected);
}

TEST(AsciiPicker, ListsTheCodesWithTheirNames) {
  ui::PickerResult result;
  ui::frmAsciiSet picker(result);
  EXPECT_EQ(picker.windowTitle(), QStringLiteral("ＡＳＣＩＩ"));
  const auto& list = child<QListWidget>(picker, "AsciiLst");
  ASSERT_EQ(list.count(), 128);
  EXPECT_EQ(list.item(0)->text(), QStringLiteral("00h: <NUL>"));
  EXPECT_EQ(list.item(13)->text(), QStringLiteral("0Dh: <C R>"));
  EXPECT_EQ(list.item(65)->text(), QStringLiteral("41h: A"));
  EXPECT_EQ(list.item(127)->text(), QStringLiteral("7Fh: <DEL>"));
  EXPECT_EQ(ui::str(child<QPushButton>(picker, "CancelCmd").text()), "ｷｬﾝｾﾙ");
}

void doubleClickRow(ui::frmAsciiSet& picker, int row) {
  auto& list = child<QListWidget>(picker, "AsciiLst");
  list.setCurrentRow(row);
  const QRect place = list.visualItemRect(list.item(row));
  // As a real double click arrives: press, release, double click, release.
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
}

TEST(AsciiPicker, DoubleClickLeavesTheNameNotTheCharacter) {
  ui::PickerResult result;
  ui::frmAsciiSet picker(result);
  picker.show();
  doubleClickRow(picker, 2);
  EXPECT_EQ(result.text, "<STX>");
  EXPECT_EQ(picker.result(), QDialog::Accepted);
  EXPECT_FALSE(picker.isVisible());
}

TEST(AsciiPicker, CancelAfterAnEarlierPickLeavesNothing) {
  ui::PickerResult result;
  {
    ui::frmAsciiSet first(result);
    first.show();
    doubleClickRow(first, 65);
    EXPECT_EQ(result.text, "A");
  }
  ui::frmAsciiSet second(result);
  click(second, "CancelCmd");
  EXPECT_TRUE(result.text.empty());
  EXPECT_EQ(second.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace orbelin::test
