#include <gtest/gtest.h>

#include "SerialFixture.h"
#include "text/Integers.h"

namespace orbelin::serial {
namespace {

using settings::Setting;
using test::SerialFixture;
using Lines = std::vector<std::string>;

/// A book step that remembers what it saw, withholds rows beginning with "19" for
/// 1000 ms and sends them on alone afterwards or before the next record; "x" as a row
/// fails like a wait time that is no number.
class FakeBookStep : public BookStep {
 public:
  BookResult convert(std::string_view record, std::int64_t nowMs) override {
    seen.emplace_back(record);
    if (record == "x") throw report::RuntimeFailure(text::kTypeMismatch);
    BookResult result;
    if (expiry) result.released = "displaced:" + held;
    expiry.reset();
    if (!record.starts_with("19")) {
      result.record = record;
      return result;
    }
    held = std::string(record);
    expiry = nowMs + 1000;
    return result;
  }
  std::vector<std::string> takeExpired(std::int64_t nowMs) override {
    if (!expiry || *expiry > nowMs) return {};
    expiry.reset();
    return {"alone:" + held};
  }
  std::optional<std::int64_t> nextExpiry() const override { return expiry; }

  std::vector<std::string> seen;
  std::string held;
  std::optional<std::int64_t> expiry;
};

TEST(Pipeline, RecordGoesThroughBusyIconKeysCaptionAndIcon) {
  SerialFixture f;
  f.connect();
  f.receive("12345");
  EXPECT_EQ(f.status(), (Lines{"icon busy", "caption \"接続中:[     12345]\"", "icon connected"}));
  EXPECT_EQ(f.tray.tip(), "接続中:[     12345]");
  EXPECT_EQ(f.typed(), "12345");
}

TEST(Pipeline, DontKeyMarkerStopsKeysAndFileButNotLogsMonitorOrCaption) {
  SerialFixture f;
  f.set(Setting::File, "1");
  f.set(Setting::FilePath, "out.txt");
  test::writeFile(f.paths.dontKeyMarker(), "");
  f.connect();
  f.receive("AB");
  EXPECT_EQ(f.typed(), "");
  EXPECT_FALSE(std::filesystem::exists(f.dir / "out.txt"));
  EXPECT_EQ(f.file("COMRECV.LOG"), "08/03/28 14:05:09 AB\r\n");
  EXPECT_EQ(f.monitor.hexText(), "41 42 \r\n");
  EXPECT_EQ(f.window.caption(), "接続中:[        AB]");
}

TEST(Pipeline, KeyHeaderRecordAndFooterAreTypedInOrder) {
  SerialFixture f;
  f.connect({{Setting::KeyHead, "<"}, {Setting::KeyFoot, "{TAB}"}});
  f.receive("A");
  EXPECT_EQ(f.typed(), "<A");
  EXPECT_EQ(f.status()[1], "key 9 15 0");
}

TEST(Pipeline, FailedTypingEndsTheRunBeforeFileAndStatus) {
  SerialFixture f;
  f.connect({{Setting::KeyWeight, "x"}, {Setting::File, "1"}, {Setting::FilePath, "out.txt"}});
  f.receive("A");
  EXPECT_EQ(f.status(), (Lines{"icon busy", "msgbox warning \"KeySendData\" \"キー入力転送に失敗しました。\""}));
  EXPECT_FALSE(std::filesystem::exists(f.dir / "out.txt"));
}

TEST(Pipeline, DateFooterIsFilledInForTheFileAndTypedAsTheDateField) {
  SerialFixture f;
  f.connect({{Setting::KeyFoot, "{Date}"}, {Setting::File, "1"}, {Setting::FilePath, "out.txt"}});
  f.receive("A");
  EXPECT_EQ(f.file("out.txt"), "A20080328\r\n");
  EXPECT_EQ(f.typed(), "A2008/03/28");
}

TEST(Pipeline, OutputFileThatCannotBeWrittenShowsItsBoxAndEndsTheRun) {
  SerialFixture f;
  f.connect({{Setting::SendKey, "0"}, {Setting::File, "1"}, {Setting::FilePath, "missing/out.txt"}});
  f.receive("A");
  EXPECT_EQ(f.status(), (Lines{"icon busy",
                               "msgbox warning \"EventRecv\" \"出力ファイル書き込みに失敗しました。\\r\\n"
                               "権限の有無、他で使用していないか確認してください。\""}));
}

TEST(Pipeline, CaseAndWidthComeBeforeTheBookStep) {
  FakeBookStep book;
  SerialFixture f(ConversionSteps{{}, &book});
  f.connect({{Setting::ConvMode, "3"}});
  f.receive("abc");
  EXPECT_EQ(book.seen, (Lines{"ａｂｃ"}));
}

TEST(Pipeline, DecoderRunsOnlyWhenEanReadIsOnAndAnEmptyResultTypesNothing) {
  Lines decoded;
  auto decoder = [&](std::string_view record, std::string&, std::vector<std::string>&) {
    decoded.emplace_back(record);
    return std::string();
  };
  SerialFixture f(ConversionSteps{decoder, nullptr});
  f.connect({{Setting::EANRead, "0"}});
  f.port.arrive("A");
  f.port.arriveAt(1000, "B");
  f.loop.scheduleAt(500, [&] { f.set(Setting::EANRead, "1"); });
  f.loop.runUntilIdle();
  EXPECT_EQ(decoded, (Lines{"B"}));
  EXPECT_EQ(f.typed(), "A");
  EXPECT_EQ(f.window.caption(), "接続中:[        AB]");
}

TEST(Pipeline, WithheldRowIsReleasedByTimerAndRunsTheRemainingSteps) {
  FakeBookStep book;
  SerialFixture f(ConversionSteps{{}, &book});
  f.connect();
  f.receive("1920055024004");
  EXPECT_EQ(f.typed(), "alone:1920055024004");
  // Arrival, the 100 ms pause, the 150 ms gap, then the 1000 ms wait.
  EXPECT_EQ(f.clock.monotonicMs(), 1250);
  EXPECT_EQ(f.status(), (Lines{"icon busy", "caption \"接続中:[0055024004]\"", "icon connected", "icon busy",
                               "caption \"接続中:[0055024004]\"", "icon connected"}));
}

TEST(Pipeline, RowLetGoByTheNextRecordIsTypedFirstAsARecordOfItsOwn) {
  FakeBookStep book;
  SerialFixture f(ConversionSteps{{}, &book});
  f.connect({{Setting::KeyFoot, "/"}});
  f.port.arrive("19");
  f.port.arriveAt(500, "AB");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.typed(), "displaced:19/AB/");
  // The timer of the displaced row does not fire again.
  EXPECT_EQ(f.clock.monotonicMs(), 750);
}

TEST(Pipeline, FailingBookStepFailsTheRecordAndTheNextScanIsTyped) {
  FakeBookStep book;
  SerialFixture f(ConversionSteps{{}, &book});
  f.connect();
  f.port.arrive("x");
  f.port.arriveAt(1000, "A");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.status(), (Lines{"icon busy", "msgbox warning \"EventRecv\" \"ポーリング処理でエラーが発生しました。\"",
                               "icon busy", "caption \"接続中:[        xA]\"", "icon connected"}));
  ASSERT_EQ(f.errorLines().size(), 1u);
  EXPECT_EQ(f.errorLines()[0], "[EventRecv] QELT:型が一致しません。");
  EXPECT_EQ(f.window.connectButtonText(), "接続中");
  EXPECT_EQ(f.typed(), "A");
}

TEST(Pipeline, RowReleasedWhileAnotherRecordIsTypedComesAfterIt) {
  FakeBookStep book;
  SerialFixture f(ConversionSteps{{}, &book});
  f.connect({{Setting::KeyFoot, ","}, {Setting::KeyDwnWeight, "100"}});
  f.port.arrive("19a");
  // Converted at 1150, before the first row's wait is over: it lets that row go and
  // holds its own until 2150, in the middle of the 2.6 s of typing the first.
  f.port.arriveAt(900, "19b");
  f.loop.runUntilIdle();
  EXPECT_EQ(f.typed(), "displaced:19a,alone:19b,");
}

}  // namespace
}  // namespace orbelin::serial
