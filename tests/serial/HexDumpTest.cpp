#include <gtest/gtest.h>

#include "serial/HexDump.h"

namespace orbelin::serial {
namespace {

struct DumpCase {
  const char* chunk;
  const char* hex;
  const char* text;
  const char* recent;
};

class Dumped : public testing::TestWithParam<DumpCase> {};

TEST_P(Dumped, OneLinePerChunkInBothViews) {
  HexDump dump;
  dump.DispHexDump(GetParam().chunk);
  EXPECT_EQ(dump.hexText(), GetParam().hex);
  EXPECT_EQ(dump.sendText(), GetParam().text);
  EXPECT_EQ(dump.recentText(), GetParam().recent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Dumped,
    testing::Values(DumpCase{"AB\r\n", "41 42 0D 0A \r\n", "AB<C R><L F>\r\n", "          AB"},
                    DumpCase{"ア", "83 41 \r\n", "ア\r\n", "          ア"},
                    DumpCase{"ｱ \x7f", "B1 20 7F \r\n", "ｱ <DEL>\r\n", "          ｱ \x7f"},
                    DumpCase{"\xe2\x85\xb0", "FA 40 \r\n", "\xe2\x85\xb0\r\n", "          "}));

TEST(HexDump, EmptyChunkChangesNothing) {
  HexDump dump;
  dump.DispHexDump("");
  EXPECT_EQ(dump.hexText(), "");
  EXPECT_EQ(dump.recentText(), "");
}

TEST(HexDump, FullViewsAreEmptiedBeforeTheNextChunk) {
  HexDump dump;
  const std::string chunk(5000, 'A');
  for (int i = 0; i < 2; ++i) dump.DispHexDump(chunk);  // 2 x 15002 hexadecimal characters
  EXPECT_EQ(dump.hexText().size(), 30004u);
  dump.DispHexDump("B");
  EXPECT_EQ(dump.hexText(), "42 \r\n");
  EXPECT_EQ(dump.sendText(), "B\r\n");
}

TEST(HexDump, RecentCharactersKeepTheLastTenAfterPadding) {
  HexDump dump;
  dump.DispHexDump("1234567890");
  dump.DispHexDump("ABC");
  EXPECT_EQ(dump.recentText(), "1234567890ABC");
  EXPECT_EQ(statusCaption("接続中", dump.recentText()), "接続中:[4567890ABC]");
  dump.DispHexDump("D");
  EXPECT_EQ(dump.recentText(), "4567890ABCD");
}

TEST(HexDump, CaptionPadsShortRecentTextOnTheLeft) {
  EXPECT_EQ(statusCaption("接続中", "12345"), "接続中:[     12345]");
  EXPECT_EQ(statusCaption("未接続", "日本語テキストです。ア"), "未接続:[本語テキストです。ア]");
}

}  // namespace
}  // namespace orbelin::serial
