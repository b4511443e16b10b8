#include "settings/EditTableStore.h"

#include <gtest/gtest.h>

#include "codec/Cp932.h"
#include "settings/ControlCodeNames.h"
#include "support/Harness.h"

namespace orbelin::settings {
namespace {

TEST(ControlCodeNames, NamesEveryCodeBelow128) {
  const auto& names = ControlCodeNames();
  EXPECT_EQ(names[0], "<NUL>");
  EXPECT_EQ(names[8], "<B S>");
  EXPECT_EQ(names[13], "<C R>");
  EXPECT_EQ(names[23], "<ETB>");
  EXPECT_EQ(names[32], "<S P>");
  EXPECT_EQ(names[33], "!");
  EXPECT_EQ(names[126], "~");
  EXPECT_EQ(names[127], "<DEL>");
}

struct NameCase {
  const char* display;
  std::string working;
};

class NamesToCodes : public ::testing::TestWithParam<NameCase> {};

TEST_P(NamesToCodes, ReplacesTheNamesOfCodes0To32) {
  test::Harness h;
  EXPECT_EQ(ControlNamesToCodes(GetParam().display, h.reporter), GetParam().working);
}

INSTANTIATE_TEST_SUITE_P(Table, NamesToCodes,
                         ::testing::Values(NameCase{"<C R><L F>", "\r\n"}, NameCase{"<S P>", " "},
                                           NameCase{"A<DEL>", "A<DEL>"}, NameCase{"<CR>", "<CR>"},
                                           NameCase{"<NUL>x<G S>", std::string("\0x\x1d", 3)},
                                           NameCase{"<C R<L F>>", "<C R\n>"}));

TEST(EditTableStore, LoadsDisplayAndWorkingForms) {
  test::Harness h;
  test::writeFile(h.paths.ini(), "[REP]\r\nCB1=<C R><L F>\r\nCA1=<S P>\r\nCB10=ｶﾅ\r\n[POS]\r\nBPS2=3\r\nINS2={ENTER}\r\n");
  test::writeFile(h.paths.ini(), codec::toCp932(test::readFile(h.paths.ini())));
  EditTables tables;
  LoadEditTables(tables, h.paths.ini(), h.reporter);
  EXPECT_EQ(tables.substitutions[0], (SubstitutionPair{"<C R><L F>", "<S P>", "\r\n", " "}));
  EXPECT_EQ(tables.substitutions[9].beforeWorking, "ｶﾅ");
  EXPECT_EQ(tables.byteEdits[1], (ByteEditEntry{"3", "0", "{ENTER}"}));
  EXPECT_EQ(tables.byteEdits[0], ByteEditEntry{});
}

TEST(EditTableStore, MissingSectionsGiveDefaults) {
  test::Harness h;
  test::writeFile(h.paths.ini(), "[COM]\r\nPort=3\r\n");
  EditTables tables;
  tables.byteEdits[4] = {"9", "9", "x"};
  LoadEditTables(tables, h.paths.ini(), h.reporter);
  EXPECT_EQ(tables, EditTables{});
}

TEST(EditTableStore, SavingAndLoadingKeepsTheDisplayForms) {
  test::Harness h;
  EditTables tables;
  tables.substitutions[0].before = "<C R><L F>";
  tables.substitutions[0].after = "{ENTER}";
  tables.substitutions[4].before = "日本";
  tables.byteEdits[2] = {"5", "2", "ｶﾅ"};
  for (auto& pair : tables.substitutions) {
    pair.beforeWorking = ControlNamesToCodes(pair.before, h.reporter);
    pair.afterWorking = ControlNamesToCodes(pair.after, h.reporter);
  }
  ASSERT_TRUE(PutEdy(tables, h.paths.ini(), h.reporter));
  EditTables loaded;
  LoadEditTables(loaded, h.paths.ini(), h.reporter);
  EXPECT_EQ(loaded, tables);
}

}  // namespace
}  // namespace orbelin::settings
