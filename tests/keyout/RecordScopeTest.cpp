#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "KeyFixture.h"
#include "keyout/DOSKeySendData.h"
#include "keyout/KeySendData.h"
#include "keyout/LowKeySendData.h"

namespace orbelin::keyout::test {
namespace {

struct Transfer {
  const char* name;
  std::function<bool(std::string_view, KeyOutput&)> send;
};

const Transfer kTransfers[] = {
    {"normal", [](std::string_view s, KeyOutput& out) { return KeySendData(s, true, out); }},
    {"low-level", [](std::string_view s, KeyOutput& out) { return LowKeySendData(s, true, out); }},
    {"paste", [](std::string_view s, KeyOutput& out) { return DOSKeySendData(s, true, 3, out); }},
};

TEST(RecordScope, EveryTransferModeTellsTheKeyboardWhereTheRecordBeginsAndEnds) {
  for (const auto& transfer : kTransfers) {
    KeyFixture f;
    EXPECT_TRUE(transfer.send("ab{ENTER}", f.out)) << transfer.name;
    EXPECT_EQ(f.keyboard.recordsBegun(), 1) << transfer.name;
    EXPECT_EQ(f.keyboard.recordsEnded(), 1) << transfer.name;
  }
}

TEST(RecordScope, AFailedTransferEndsTheRecordToo) {
  for (const auto& transfer : kTransfers) {
    KeyFixture f;
    f.weights("x", "0");
    EXPECT_FALSE(transfer.send("a{ENTER}", f.out)) << transfer.name;
    EXPECT_EQ(f.keyboard.recordsEnded(), f.keyboard.recordsBegun()) << transfer.name;
    EXPECT_EQ(f.keyboard.recordsEnded(), 1) << transfer.name;
  }
}

TEST(RecordScope, TheKeyboardsNoticeGoesToTheErrorLogWithoutABox) {
  KeyFixture f;
  f.keyboard.setNotice("入力メソッドをオフにできないため、そのまま入力します。 (fcitx5: timeout)");
  EXPECT_TRUE(KeySendData("a", true, f.out));
  ASSERT_EQ(f.h.errorLines().size(), 1u);
  EXPECT_EQ(f.h.errorLines()[0], "入力メソッドをオフにできないため、そのまま入力します。 (fcitx5: timeout)");
  EXPECT_TRUE(KeySendData("b", true, f.out));
  EXPECT_EQ(f.h.errorLines().size(), 1u) << "a notice is logged once";
  for (const auto& line : f.lines()) EXPECT_EQ(line.rfind("msgbox", 0), std::string::npos) << line;
}

}  // namespace
}  // namespace orbelin::keyout::test
