// orbelin-convert and the program's record pipeline on the same records and settings:
// the key strings the tool prints are the ones the program writes to its output file.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/EngineFixture.h"
#include "codec/Cp932.h"
#include "settings/EditTableStore.h"
#include "settings/SettingsStore.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace orbelin::test {
namespace {

using settings::Setting;

struct AgreementCase {
  const char* name;
  EngineFixture::Values settings;
  /// One record per scan, 800 ms apart; as lines for the tool.
  std::vector<std::string> records;
  /// What both give: KeyHead, send data and KeyFoot of each record typed, one a line.
  std::string expected;
  void (*tables)(settings::EditTables&) = nullptr;
};

/// The tool's standard output for the records, run on the fixture's program folder.
std::string runTool(const EngineFixture& f, const std::vector<std::string>& records) {
  std::string input;
  for (const auto& record : records) input += record + "\n";
  writeFile(f.dir / "in.txt", input);
  const CommandOutput run = runCommand(std::string("'") + ORBELIN_CONVERT + "' --dir '" + f.dir.path().string() +
                                       "' <'" + (f.dir / "in.txt").string() + "' 2>'" + (f.dir / "err.txt").string() + "'");
  EXPECT_EQ(run.status, 0) << readFile(f.dir / "err.txt");
  return run.out;
}

class Agreement : public testing::TestWithParam<AgreementCase> {};

TEST_P(Agreement, ToolPrintsWhatTheProgramWrites) {
  const AgreementCase& c = GetParam();
  EngineFixture f;
  // A foot that marks each record's end, so lines inside send data stay apart.
  f.set(Setting::KeyFoot, "|");
  f.set(c.settings);
  if (c.tables) c.tables(f.configuration.tables);
  ASSERT_TRUE(settings::PutPGPra(f.configuration.settings, f.paths.ini(), f.reporter));
  ASSERT_TRUE(settings::PutEdy(f.configuration.tables, f.paths.ini(), f.reporter));
  f.connect();
  std::int64_t at = 0;
  for (const auto& record : c.records) {
    f.port.arriveAt(at, codec::toCp932(record));
    at += 800;
  }
  f.loop.runUntilIdle();
  std::string program = f.file("out.txt");
  for (std::size_t end = 0; (end = program.find("|\r\n", end)) != std::string::npos; end += 2) program.erase(end + 1, 1);
  EXPECT_EQ(program, c.expected);
  EXPECT_EQ(codec::fromCp932(codec::toCp932(runTool(f, c.records))), c.expected);
}

void substitution(settings::EditTables& tables) { tables.substitutions[0] = {"A", "B", "A", "B"}; }
void byteEdit(settings::EditTables& tables) { tables.byteEdits[0] = {"0", "0", "#"}; }

INSTANTIATE_TEST_SUITE_P(
    Table, Agreement,
    testing::Values(
        AgreementCase{"Gs1",
                      {{Setting::EANRead, "1"}, {Setting::EANSend, "3"}},
                      {"]C1010491234567890410ABC"},
                      "(01)04912345678904(10)ABC|\n"},
        AgreementCase{"BookRowsJoined",
                      {{Setting::BookJAN, "1"}, {Setting::JAN2toISBN, "3"}, {Setting::SPCWeight, "1500"}},
                      {"9784873119038", "1920055024004"},
                      "ISBN4-87311-903-0 C0055 \\2400E\r\n|\n"},
        AgreementCase{"DataMatrixCarrier",
                      {{Setting::EANRead, "1"}, {Setting::EANSend, "3"}},
                      {"]d2010491234512345910ABC\x1D" "21XYZ"},
                      "(01)04912345123459(10)ABC(21)XYZ|\n"},
        AgreementCase{"DataBarComposite",
                      {{Setting::EANRead, "1"}, {Setting::EANSend, "3"}},
                      {"]e00114912345123456" "17271031" "10A12B3"},
                      "(01)14912345123456(17)271031(10)A12B3|\n"},
        AgreementCase{"BookRowsSentWithE0",
                      {{Setting::EANRead, "1"}, {Setting::BookJAN, "1"}, {Setting::JAN2toISBN, "3"},
                       {Setting::SPCWeight, "1500"}},
                      {"]E09784873119038", "]E01920055024004"},
                      "ISBN4-87311-903-0 C0055 \\2400E\r\n|\n"},
        AgreementCase{"DigitalLink",
                      {{Setting::EANRead, "1"}, {Setting::EANSend, "3"}},
                      {"]Q1https://id.gs1.org/01/04912345123459/10/ABC?17=251231", "https://www.example.com/"},
                      "(01)04912345123459(10)ABC(17)251231|\nhttps://www.example.com/|\n"},
        AgreementCase{"CarriersOff",
                      {{Setting::EANRead, "1"}, {Setting::EANSymbology, "0"}, {Setting::EANDigitalLink, "0"}},
                      {"]d210ABC", "https://id.gs1.org/01/04912345123459"},
                      "]d210ABC|\nhttps://id.gs1.org/01/04912345123459|\n"},
        AgreementCase{"LoneBookRowLetGo",
                      {{Setting::BookJAN, "1"}, {Setting::BookJAN1, "1"}, {Setting::SPCWeight, "1500"}},
                      {"9784101010014"},
                      "9784101010014|\n"},
        AgreementCase{"Substitution", {{Setting::Chikan, "1"}}, {"xAy"}, "xBy|\n", substitution},
        AgreementCase{"ByteEdit", {{Setting::ByteEd, "1"}}, {"abc"}, "#abc|\n", byteEdit},
        AgreementCase{"UpperCase", {{Setting::ConvMode, "1"}}, {"abc"}, "ABC|\n"},
        AgreementCase{"FullWidth", {{Setting::ConvMode, "3"}}, {"ｱｲ1"}, "アイ１|\n"},
        AgreementCase{"Braces", {{Setting::SendKeySpc, "1"}}, {"a{b}"}, "a{{}b{}}|\n"},
        AgreementCase{"FramedAndDropped",
                      {{Setting::Select, "1"}, {Setting::RcvHead, "1"}, {Setting::RcvFoot, "1"}, {Setting::KeyHead, ">"}},
                      {"\x02" "AB\x03", "CD", "x\x02" "EF\x03"},
                      ">AB|\n>EF|\n"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace orbelin::test
