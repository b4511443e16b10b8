#include <gtest/gtest.h>

#include "report/FileExists.h"
#include "report/WriteLog.h"
#include "codec/Cp932.h"
#include "support/Harness.h"

namespace orbelin::report {
namespace {

TEST(WriteLog, AppendsOneStampedLineInCodePage932) {
  test::Harness h;
  const auto log = h.dir / "COMRECV.LOG";
  ASSERT_TRUE(WriteLog("受信\r\nABC", log, h.clock));
  h.clock.advance(61'000);
  ASSERT_TRUE(WriteLog("x", log, h.clock));
  EXPECT_EQ(test::readFile(log), codec::toCp932("08/03/28 14:05:09 受信\r\nABC\r\n08/03/28 14:06:10 x\r\n"));
}

TEST(WriteLog, RotatesOnlyAboveTheLimit) {
  test::Harness h;
  const auto log = h.dir / "ERROR.LOG";
  const auto backup = h.dir / "ERROR.LOG_bak";
  test::writeFile(log, std::string(2'000'000, 'a'));
  ASSERT_TRUE(WriteLog("kept", log, h.clock));
  EXPECT_FALSE(std::filesystem::exists(backup));
  EXPECT_EQ(std::filesystem::file_size(log), 2'000'000u + 24u);

  test::writeFile(backup, "older backup");
  test::writeFile(log, std::string(2'000'001, 'b'));
  ASSERT_TRUE(WriteLog("new", log, h.clock));
  EXPECT_EQ(std::filesystem::file_size(backup), 2'000'001u);
  EXPECT_EQ(test::readFile(log), "08/03/28 14:05:09 new\r\n");
}

TEST(WriteLog, FailsQuietlyWhenTheFileCannotBeWritten) {
  test::Harness h;
  test::writeFile(h.dir / "plain", "x");
  EXPECT_FALSE(WriteLog("lost", h.dir / "plain" / "ERROR.LOG", h.clock));
  EXPECT_FALSE(WriteLog("lost", h.dir / "missing" / "ERROR.LOG", h.clock));
  EXPECT_TRUE(h.transcript.lines().empty());
}

TEST(FileExists, ListsFilesAndFoldersByTheMask) {
  test::Harness h;
  test::writeFile(h.dir / "file.txt", "");
  std::filesystem::create_directory(h.dir / "folder");
  struct Case {
    std::filesystem::path path;
    int mask;
    bool expected;
  };
  const Case cases[] = {
      {h.dir / "file.txt", kAttrNormal, true},      {h.dir / "file.txt", kAttrDirectory, true},
      {h.dir / "missing.txt", kAttrNormal, false},  {h.dir / "missing" / "x.txt", kAttrNormal, false},
      {h.dir / "folder", kAttrNormal, false},       {h.dir / "folder", kAttrDirectory, true},
      {h.dir / "file.txt" / "x", kAttrNormal, true},  // a file used as a folder: invalid path
      {"", kAttrNormal, true},
  };
  for (const auto& c : cases) EXPECT_EQ(FileExists(c.path, c.mask), c.expected) << c.path << ' ' << c.mask;
}

TEST(FileExists, AMarkerCountsOnlyInARealFolder) {
  test::Harness h;
  test::writeFile(h.dir / "DONTKEY.TXT", "");
  test::writeFile(h.dir / "file.txt", "");
  EXPECT_TRUE(MarkerPresent(h.dir / "DONTKEY.TXT"));
  EXPECT_FALSE(MarkerPresent(h.dir / "FINISH.TXT"));
  EXPECT_FALSE(MarkerPresent(h.dir / "file.txt" / "DONTKEY.TXT"));
  EXPECT_FALSE(MarkerPresent(h.dir / "missing" / "DONTKEY.TXT"));
}

TEST(FailureReporter, LogsThenShowsTheProceduresBox) {
  test::Harness h;
  h.reporter.report("RSOpen", "QELT", "no such device");
  h.reporter.report("EANRead", "QELT", "database is locked");
  h.reporter.report("MakeFile", "QELT", "busy");
  EXPECT_EQ(h.errorLines(), (std::vector<std::string>{"[RSOpen] QELT:no such device",
                                                       "[EANRead] QELT:database is locked", "[MakeFile] QELT:busy"}));
  EXPECT_EQ(h.transcript.text(),
            "msgbox critical \"RSOpen\" \"ComPortの接続に失敗しました。\\r\\n起動しているアプリケーション、COMポートの"
            "接続状況、設定を確認してください。\"\n"
            "msgbox warning \"EANRead\" \"ＥＡＮ１２８用ＤＢが読み込めませんでした\"\n");
}

TEST(FailureReporter, AdviceFollowsTheFixedTextInTheBoxOnly) {
  test::Harness h;
  h.reporter.report("RSOpen", "MSComm", "/dev/ttyUSB0: denied / fix it", "fix it");
  EXPECT_EQ(h.errorLines(), std::vector<std::string>{"[RSOpen] MSComm:/dev/ttyUSB0: denied / fix it"});
  EXPECT_EQ(h.transcript.lines(),
            std::vector<std::string>{"msgbox critical \"RSOpen\" \"ComPortの接続に失敗しました。\\r\\n起動している"
                                     "アプリケーション、COMポートの接続状況、設定を確認してください。\\r\\n\\r\\nfix it\""});
}

TEST(FailureReporter, StillShowsTheBoxWhenTheLogCannotBeWritten) {
  test::Harness h;
  test::writeFile(h.dir / "plain", "x");
  FailureReporter reporter(h.dir / "plain" / "ERROR.LOG", h.clock, h.messages);
  reporter.report("PutPGPra", "QELT", "disk full");
  EXPECT_EQ(h.transcript.lines(),
            std::vector<std::string>{"msgbox warning \"PutPGPra\" \"設定ファイルの書き込みに失敗しました。\""});
}

}  // namespace
}  // namespace orbelin::report
