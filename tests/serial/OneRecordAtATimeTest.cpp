// Scans that arrive while another record is read, converted or typed come out whole and
// in the order they arrived: typed, written to the output file and logged. The typing
// pauses let due events run, as the program's do, so a notification can come in the
// middle of a record.
#include <gtest/gtest.h>

#include "SerialFixture.h"

namespace orbelin::serial {
namespace {

using settings::Setting;
using test::SerialFixture;
using Lines = std::vector<std::string>;

struct Arrival {
  std::int64_t atMs;
  std::string bytes;
};

struct OrderCase {
  const char* name;
  SerialFixture::Values settings;
  std::vector<Arrival> arrivals;
  /// Typed text, the tab key written as "\t" and each record ended by ",".
  const char* typed;
  /// COMRECV.LOG's chunks in order, without their time stamps.
  Lines logged;
};

/// What reached the focus window: posted characters and the tab key.
std::string typedWithTabs(const platform::Transcript& transcript) {
  std::string text;
  for (const auto& line : transcript.lines()) {
    if (line.starts_with("ime ")) text += static_cast<char>(std::stoi(line.substr(4)));
    if (line == "key 9 15 0") text += '\t';
  }
  return text;
}

/// Lines split at CR LF, each without its 18-character time stamp.
Lines unstamped(const std::string& log) {
  Lines lines;
  for (std::size_t at = 0; at < log.size();) {
    const std::size_t end = log.find("\r\n", at);
    lines.push_back(log.substr(at + 18, end - at - 18));
    at = end + 2;
  }
  return lines;
}

/// The lines of the output file: each record and its "," footer.
Lines recordsOf(const std::string& typed) {
  Lines records;
  std::string record;
  for (const char c : typed) {
    record += c;
    if (c == ',') records.push_back(std::exchange(record, {}));
  }
  return records;
}

class InArrivalOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(InArrivalOrder, RecordsComeOutWholeAndInOrder) {
  const OrderCase& c = GetParam();
  SerialFixture f;
  f.set(Setting::KeyFoot, ",");
  f.set(Setting::File, "1");
  f.set(Setting::FilePath, "out.txt");
  f.connect(c.settings);
  for (const auto& arrival : c.arrivals) f.port.arriveAt(arrival.atMs, arrival.bytes);
  f.loop.runUntilIdle();
  EXPECT_EQ(typedWithTabs(f.transcript), c.typed);
  std::string fileLines;
  for (const auto& record : recordsOf(c.typed)) fileLines += record + "\r\n";
  EXPECT_EQ(f.file("out.txt"), fileLines);
  EXPECT_EQ(unstamped(f.file("COMRECV.LOG")), c.logged);
  EXPECT_TRUE(f.errorLines().empty());
}

const SerialFixture::Values kCrFooter{{Setting::Select, "1"}, {Setting::RcvFoot, "3"}};

SerialFixture::Values crFooterWith(Setting setting, const char* value) {
  auto settings = kCrFooter;
  settings.emplace_back(setting, value);
  return settings;
}

INSTANTIATE_TEST_SUITE_P(
    Table, InArrivalOrder,
    testing::Values(
        // Each scan comes before the gap has passed, so all three are one record.
        OrderCase{"GapFramingKeepsLateBytesInTheRecordBeingRead",
                  {{Setting::Weight, "1000"}},
                  {{0, "AAA"}, {500, "BBB"}, {1000, "CCC"}},
                  "AAABBBCCC,",
                  {"AAABBBCCC"}},
        // The rest of a footer record and the next one arrive during the gap wait.
        OrderCase{"FooterRecordIsCompletedBeforeTheNextStarts",
                  crFooterWith(Setting::Weight, "500"),
                  {{0, "AB"}, {300, "CD\rEF\r"}},
                  "ABCD,EF,",
                  {"ABCD\r", "EF\r"}},
        // The control key's fixed 100 ms pause lets the second scan's notification in.
        OrderCase{"ScanDuringTheTabPauseIsTypedAfterTheRecord",
                  kCrFooter,
                  {{0, "A1\tA2\tA3\tA4\r"}, {150, "B1\r"}},
                  "A1\tA2\tA3\tA4,B1,",
                  {"A1\tA2\tA3\tA4\r", "B1\r"}},
        OrderCase{"ScanDuringTheKeyDownPausesIsTypedAfterTheRecord",
                  crFooterWith(Setting::KeyDwnWeight, "20"),
                  {{0, "ABCDEFGHIJ\r"}, {300, "XY\r"}},
                  "ABCDEFGHIJ,XY,",
                  {"ABCDEFGHIJ\r", "XY\r"}},
        OrderCase{"GapRecordDuringTypingIsTypedAfterTheRecord",
                  {{Setting::KeyDwnWeight, "50"}},
                  {{0, "ABCDEF"}, {400, "XYZ"}},
                  "ABCDEF,XYZ,",
                  {"ABCDEF", "XYZ"}},
        OrderCase{"BurstsDuringTypingKeepTheirOrder",
                  crFooterWith(Setting::KeyDwnWeight, "10"),
                  {{0, "R1\rR2\r"}, {50, "R3\r"}, {120, "R4\rR5\r"}, {130, "R6\r"}, {400, "R7\r"}},
                  "R1,R2,R3,R4,R5,R6,R7,",
                  {"R1\r", "R2\r", "R3\r", "R4\r", "R5\r", "R6\r", "R7\r"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(OneRecordAtATime, ShiftOfABraceIsReleasedBeforeTheNextScanIsTyped) {
  SerialFixture f;
  f.connect({{Setting::Select, "1"},
             {Setting::RcvFoot, "3"},
             {Setting::SendKeySpc, "1"},
             {Setting::KeyDwnWeight, "50"}});
  f.port.arriveAt(0, "{{{\r");
  f.port.arriveAt(150, "abc123\r");
  f.loop.runUntilIdle();
  EXPECT_TRUE(typedWithTabs(f.transcript).ends_with("abc123")) << typedWithTabs(f.transcript);
  // Every Shift the braces pressed is up before the first letter of the next scan.
  const Lines& lines = f.transcript.lines();
  const auto lastShiftUp = std::find(lines.rbegin(), lines.rend(), "key 16 42 2");
  const auto firstOfSecond = std::find(lines.begin(), lines.end(), "ime 97");
  ASSERT_NE(lastShiftUp, lines.rend());
  ASSERT_NE(firstOfSecond, lines.end());
  EXPECT_LT(lastShiftUp.base() - lines.begin(), firstOfSecond - lines.begin());
}

}  // namespace
}  // namespace orbelin::serial
