#include <gtest/gtest.h>

#include <cstdlib>

#include "codec/Cp932.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace orbelin::tools {
namespace {

using test::readFile;
using test::writeFile;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

/// Runs the replay tool in a fresh program folder with script on standard input.
struct ReplayRun {
  test::TempDir dir;

  Outcome run(const std::string& options, const std::string& script) const {
    writeFile(dir / "script.txt", script);
    // ORBELIN_REPLAY_COMMAND runs another build of the tool, e.g. the Windows one under Wine.
    const char* other = std::getenv("ORBELIN_REPLAY_COMMAND");
    const std::string tool = other != nullptr ? std::string(other) : std::string("'") + ORBELIN_REPLAY + "'";
    const std::string command = tool + " --dir '" + dir.path().string() +
                                "' --now 2026-12-07T10:00:00 " + options + " - < '" + (dir / "script.txt").string() +
                                "' 2> '" + (dir / "stderr.txt").string() + "'";
    const test::CommandOutput run = test::runCommand(command);
    return {run.status, run.out, readFile(dir / "stderr.txt")};
  }
  void ini(const std::string& text) const { writeFile(dir / "QELT.INI", text); }
};

const std::string kStart = "caption \"COM\"\nicon disconnected\nport open 1\nicon connected\n";

TEST(Replay, TypesARecordAndPrintsTheWholeTranscript) {
  ReplayRun r;
  const Outcome o = r.run("", "# a scan\ntext \"12\\r\"\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, kStart +
                       "icon busy\nime 49\nime 50\nkey 13 28 0\nkey 13 28 2\nsleep 100\n"
                       "caption \"接続中:[        12]\"\nicon connected\n");
  EXPECT_TRUE(std::filesystem::exists(r.dir / "QELT.INI"));
  EXPECT_EQ(codec::fromCp932(readFile(r.dir / "COMRECV.LOG")), "26/12/07 10:00:00 12\r\r\n");
}

TEST(Replay, MalformedLineIsReportedWithItsNumberAndNothingRuns) {
  const char* scripts[] = {"text \"A\"\n\nbytes 4\n", "text \"A\"\nwait x\n", "touch ../x\n", "jump 3\n",
                           "text \"bad\\q\"\n", "text \"\"\n", "bytes 0G\n"};
  for (const char* script : scripts) {
    ReplayRun r;
    const Outcome o = r.run("", script);
    EXPECT_EQ(o.status, 2) << script;
    EXPECT_NE(o.err.find("line "), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "") << script;
    EXPECT_FALSE(std::filesystem::exists(r.dir / "QELT.INI")) << script;
  }
}

TEST(Replay, BadOptionsExitWith2) {
  for (const char* options : {"--ports 0", "--ports 3,x", "--now 2026-13-01T00:00:00", "--frobnicate"}) {
    ReplayRun r;
    EXPECT_EQ(r.run(options, "").status, 2) << options;
  }
}

TEST(Replay, QtsStandardOptionsAreAcceptedAndNamedInTheHelp) {
  ReplayRun r;
  const Outcome o = r.run("-platform offscreen -reverse -style fusion", "text \"12\\r\"\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out.substr(0, kStart.size()), kStart);
  const Outcome help = r.run("-platform offscreen --help", "");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Qt's standard options"), std::string::npos) << help.out;
  EXPECT_EQ(r.run("-platform", "").status, 2);
}

TEST(Replay, PortScanFindsTheHighestPortOfThoseGiven) {
  ReplayRun r;
  r.ini("[COM]\r\nPortScan=1\r\n");
  const Outcome o = r.run("--ports 3,5", "");
  EXPECT_EQ(o.out, "caption \"COM\"\nicon disconnected\nport open 5\nicon connected\n");
}

TEST(Replay, MissingPortGivesTheOpenFailure) {
  ReplayRun r;
  const Outcome o = r.run("--ports 2", "text \"A\"\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "caption \"COM\"\nicon disconnected\n"
            "msgbox critical \"RSOpen\" \"ComPortの接続に失敗しました。\\r\\n"
            "起動しているアプリケーション、COMポートの接続状況、設定を確認してください。\"\n"
            "icon disconnected\n"
            "caption \"未接続:COM1\"\nicon disconnected\n");
  EXPECT_NE(codec::fromCp932(readFile(r.dir / "ERROR.LOG")).find("[RSOpen] SerialPort:"), std::string::npos);
}

TEST(Replay, NoFocusTypesNothingButTheStatusChanges) {
  ReplayRun r;
  const Outcome o = r.run("--no-focus", "text \"AB\"\n");
  EXPECT_EQ(o.out, kStart + "icon busy\ncaption \"接続中:[        AB]\"\nicon connected\n");
}

TEST(Replay, FinishMarkerEndsTheRunAndTheRestIsNotRun) {
  ReplayRun r;
  const Outcome o = r.run("", "touch FINISH.TXT\nwait 200\ntext \"A\"\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, kStart);
}

TEST(Replay, HugeWaitsNeitherOverflowNorHang) {
  ReplayRun r;
  const Outcome o = r.run("", "wait 9223372036854775807\nwait 1\ntext \"A\\r\"\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("ime 65\n"), std::string::npos) << o.out;
}

TEST(Replay, DontKeyMarkerSuppressesOutputWhileItExists) {
  ReplayRun r;
  r.ini("[KEY]\r\nFile=1\r\nFilePath=out.txt\r\n");
  const Outcome o = r.run("", "touch DONTKEY.TXT\ntext \"A\"\nwait 1000\nremove DONTKEY.TXT\ntext \"B\"\n");
  EXPECT_EQ(readFile(r.dir / "out.txt"), "B\r\n");
  EXPECT_EQ(o.out.find("ime 65"), std::string::npos);
  EXPECT_NE(o.out.find("ime 66"), std::string::npos);
}

TEST(Replay, RawBytesAndTextEscapesReachThePort) {
  ReplayRun r;
  r.ini("[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=1\r\n");
  const Outcome o = r.run("", "text \"x\\x02ア\"\nbytes 03\n");
  EXPECT_NE(o.out.find("ime -31935\n"), std::string::npos) << o.out;
  EXPECT_EQ(codec::fromCp932(readFile(r.dir / "COMRECV.LOG")), "26/12/07 10:00:00 x\x02ア\x03\r\n");
}

TEST(Replay, FirstRunCreatesTheAiTableAndDecodesGs1Records) {
  ReplayRun r;
  r.ini("[KEY]\r\nSendKey=0\r\nFile=1\r\nFilePath=out.txt\r\nEANSend=3\r\n");
  r.run("", "text \"]C1010491234567890410ABC\\x1d17261231\\r\"\n");
  EXPECT_TRUE(std::filesystem::exists(r.dir / "QELT.PDF"));
  EXPECT_EQ(readFile(r.dir / "out.txt"), "(01)04912345678904(10)ABC(17)261231\r\r\n");
}

TEST(Replay, ScansArrivingDuringTheGapOrTheTypingKeepTheirOrder) {
  ReplayRun gap;
  gap.ini("[COM]\r\nWeight=1000\r\n[KEY]\r\nFile=1\r\nFilePath=out.txt\r\n");
  gap.run("", "text \"AAA\"\nwait 500\ntext \"BBB\"\nwait 500\ntext \"CCC\"\n");
  EXPECT_EQ(readFile(gap.dir / "out.txt"), "AAABBBCCC\r\n");
  ReplayRun footer;
  footer.ini("[RCV]\r\nSelect=1\r\nFoot=3\r\n[KEY]\r\nFile=1\r\nFilePath=out.txt\r\n");
  const Outcome o = footer.run("", "text \"A1\\tA2\\tA3\\tA4\\r\"\nwait 150\ntext \"B1\\r\"\n");
  EXPECT_EQ(readFile(footer.dir / "out.txt"), "A1\tA2\tA3\tA4\r\nB1\r\n");
  // B1 is typed after the last tab of the first scan.
  EXPECT_LT(o.out.rfind("key 9 15 2\n"), o.out.find("ime 66\n")) << o.out;
}

TEST(Replay, DateFooterInTheFileFollowsNow) {
  ReplayRun r;
  r.ini("[KEY]\r\nSendKey=0\r\nFoot={Date}\r\nFile=1\r\nFilePath=out.txt\r\n");
  r.run("", "text \"A\"\n");
  EXPECT_EQ(readFile(r.dir / "out.txt"), "A20261207\r\n");
}

}  // namespace
}  // namespace orbelin::tools
