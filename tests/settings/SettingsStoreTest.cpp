#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include "codec/Cp932.h"
#include "settings/EditTableStore.h"
#include "support/Harness.h"

namespace orbelin::settings {
namespace {

// What a first start leaves behind: the edit tables first, then every setting.
constexpr const char* kFirstStartFile =
    "[REP]\r\nCB1=\r\nCA1=\r\nCB2=\r\nCA2=\r\nCB3=\r\nCA3=\r\nCB4=\r\nCA4=\r\nCB5=\r\nCA5=\r\n"
    "CB6=\r\nCA6=\r\nCB7=\r\nCA7=\r\nCB8=\r\nCA8=\r\nCB9=\r\nCA9=\r\nCB10=\r\nCA10=\r\n"
    "[POS]\r\nBPS1=0\r\nDEL1=0\r\nINS1=\r\nBPS2=0\r\nDEL2=0\r\nINS2=\r\nBPS3=0\r\nDEL3=0\r\nINS3=\r\n"
    "BPS4=0\r\nDEL4=0\r\nINS4=\r\nBPS5=0\r\nDEL5=0\r\nINS5=\r\n"
    "[COM]\r\nPort=1\r\nBaud=9600\r\nData=8\r\nStop=1\r\nParity=n\r\nHand=0\r\nBuf=5120\r\nWeight=150\r\n"
    "Trigger=0\r\nAnswer=0\r\nAnswerTime=3000\r\nTimer=30\r\nLog=0\r\nDelayTime=0\r\nTask=1\r\nTaskShift=0\r\n"
    "PortScan=0\r\n"
    "[RCV]\r\nSelect=0\r\nHead=0\r\nHeadOther=0\r\nFoot=0\r\nFootOther=0\r\n"
    "[KEY]\r\nSendKey=1\r\nSendKeySpc=1\r\nDOSSendKey=0\r\nLowSendKey=0\r\nKeyWeight=0\r\nKeyDwnWeight=0\r\n"
    "Head=\r\nFoot=\r\nFile=0\r\nFilePath=\r\nChikan=0\r\nByteEd=0\r\nEANRead=1\r\nEANSend=1\r\n"
    "EANAISelect=0\r\nEANStartCD=]C1\r\nEANDate=0\r\nEANDecimal=0\r\nEANSort=0\r\nEANSeparate=0\r\nEANCheck=1\r\n"
    "ConvMode=0\r\nBookJAN=0\r\nBookJAN1=0\r\nAddOn=0\r\nISBN=0\r\nISBN13=0\r\nSPCWeight=1500\r\n"
    "JAN2toISBN=0\r\nBookSeparate=0\r\nEANSymbology=1\r\nEANDigitalLink=1\r\n";

class SettingsStoreTest : public ::testing::Test {
 protected:
  Configuration load(std::string_view fileText) {
    test::writeFile(h.paths.ini(), codec::toCp932(fileText));
    return loadExisting();
  }
  Configuration loadExisting() {
    Configuration configuration;
    InitDefaults(configuration);
    LoadEditTables(configuration.tables, h.paths.ini(), h.reporter);
    LoadSettings(configuration, h.paths.ini());
    return configuration;
  }

  test::Harness h;
};

TEST_F(SettingsStoreTest, FirstStartWritesEveryKeyInOrder) {
  const Configuration configuration = loadExisting();
  EXPECT_EQ(configuration.settings, Settings::defaults());
  ASSERT_TRUE(PutEdy(configuration.tables, h.paths.ini(), h.reporter));
  ASSERT_TRUE(PutPGPra(configuration.settings, h.paths.ini(), h.reporter));
  EXPECT_EQ(test::readFile(h.paths.ini()), kFirstStartFile);
}

TEST_F(SettingsStoreTest, LoadThenWriteGivesTheSameFile) {
  std::string edited = kFirstStartFile;
  auto replace = [&](std::string_view from, std::string_view to) { edited.replace(edited.find(from), from.size(), to); };
  replace("ConvMode=0", "ConvMode=3");
  replace("KEY]\r\nSendKey=1", "KEY]\r\nSendKey=0");
  replace("Foot=\r\nFile", "Foot={TAB}{Date}\r\nFile");
  replace("EANStartCD=]C1", "EANStartCD=NULL");
  replace("CB1=", "CB1=<C R><L F>");
  test::writeFile(h.paths.ini(), edited);
  const Configuration configuration = loadExisting();
  EXPECT_EQ(configuration.settings.get(Setting::EANStartCD), "");
  EXPECT_EQ(configuration.settings.get(Setting::KeyFoot), "{TAB}{Date}");
  ASSERT_TRUE(PutEdy(configuration.tables, h.paths.ini(), h.reporter));
  ASSERT_TRUE(PutPGPra(configuration.settings, h.paths.ini(), h.reporter));
  EXPECT_EQ(test::readFile(h.paths.ini()), edited);
}

struct ValueCase {
  const char* fileText;
  Setting setting;
  std::string expected;
};

class LoadedValues : public SettingsStoreTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(LoadedValues, FollowTheFileRules) {
  EXPECT_EQ(load(GetParam().fileText).settings.get(GetParam().setting), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadedValues,
    ::testing::Values(ValueCase{"[COM]\r\nPort=\r\n", Setting::Port, ""},
                      ValueCase{"[COM]\r\nBaud=19200\r\n", Setting::Port, "1"},
                      ValueCase{"[COM]\r\nLog=\r\n", Setting::Log, " "},
                      ValueCase{"[KEY]\r\nConvMode=12\r\n", Setting::ConvMode, "1"},
                      ValueCase{"[KEY]\r\nEANStartCD=NULL\r\n", Setting::EANStartCD, ""},
                      ValueCase{"[KEY]\r\nEANStartCD=]d2\r\n", Setting::EANStartCD, "]d2"},
                      ValueCase{"[KEY]\r\nConvMode=0\r\n", Setting::EANStartCD, "]C1"},
                      ValueCase{"[rcv]\nhead = 2 \nHEAD=3\n", Setting::RcvHead, "2"},
                      ValueCase{"[RCV]\r\nHead=1\r\n[KEY]\r\nHead={F1}\r\n", Setting::KeyHead, "{F1}"},
                      ValueCase{"[RCV]\r\nHead=1\r\n[KEY]\r\nHead={F1}\r\n", Setting::RcvHead, "1"},
                      ValueCase{"; comment\r\n[KEY]\r\n;Head=x\r\nHead=\" {TAB} \"\r\n", Setting::KeyHead, " {TAB} "},
                      ValueCase{"[KEY]\r\nFilePath=C:\\出力\\データ.txt\r\n", Setting::FilePath, "C:\\出力\\データ.txt"}));

TEST_F(SettingsStoreTest, LongValuesAreCutTo254BytesWithoutSplittingACharacter) {
  EXPECT_EQ(load("[KEY]\r\nHead=" + std::string(300, 'x') + "\r\n").settings.get(Setting::KeyHead),
            std::string(254, 'x'));
  EXPECT_EQ(load("[KEY]\r\nHead=" + std::string(253, 'x') + "あい\r\n").settings.get(Setting::KeyHead),
            std::string(253, 'x'));
}

TEST_F(SettingsStoreTest, ReadIniStringNeedsSectionKeyAndFile) {
  test::writeFile(h.paths.ini(), "[A]\r\nk=v\r\n");
  EXPECT_EQ(ReadIniString("A", "k", "d", h.paths.ini()), "v");
  EXPECT_EQ(ReadIniString("A", "missing", "d", h.paths.ini()), "d");
  EXPECT_EQ(ReadIniString("", "k", "d", h.paths.ini()), "");
  EXPECT_EQ(ReadIniString("A", "", "d", h.paths.ini()), "");
  EXPECT_EQ(ReadIniString("A", "k", "d", ""), "");
  EXPECT_EQ(ReadIniString("A", "k", "d", h.dir / "none.ini"), "d");
}

TEST_F(SettingsStoreTest, WritingKeepsCommentsUnknownSectionsAndFindsNewPlaces) {
  test::writeFile(h.paths.ini(), "; Orbelin\r\n[COM]\r\nbaud=4800\r\n\r\n[Mine]\r\nx=1\r\n");
  Settings settings = Settings::defaults();
  settings.set(Setting::Baud, "4800");
  settings.set(Setting::KeyHead, "\"quoted\"");
  ASSERT_TRUE(PutPGPra(settings, h.paths.ini(), h.reporter));
  const std::string text = test::readFile(h.paths.ini());
  EXPECT_EQ(text.rfind("; Orbelin\r\n[COM]\r\nbaud=4800\r\nPort=1\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("PortScan=0\r\n\r\n[Mine]\r\nx=1\r\n[RCV]\r\n"), std::string::npos) << text;
  EXPECT_EQ(loadExisting().settings.get(Setting::KeyHead), "\"quoted\"");
}

TEST_F(SettingsStoreTest, FailedWriteIsReportedAndLeavesTheFileAlone) {
  test::writeFile(h.dir / "plain", "x");
  EXPECT_FALSE(PutPGPra(Settings::defaults(), h.dir / "plain" / "QELT.INI", h.reporter));
  EditTables tables;
  EXPECT_FALSE(PutEdy(tables, h.dir / "missing" / "QELT.INI", h.reporter));
  EXPECT_EQ(h.transcript.text(),
            "msgbox warning \"PutPGPra\" \"設定ファイルの書き込みに失敗しました。\"\n"
            "msgbox warning \"PutEdy\" \"編集設定ファイルの書き込みに失敗しました。\"\n");
  const auto log = h.errorLines();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("[PutPGPra] QELT:", 0), 0u);
  EXPECT_EQ(log[1].rfind("[PutEdy] QELT:", 0), 0u);
}

// Mode 0444 is refused for every user, root included: the user made the file read-only.
TEST_F(SettingsStoreTest, AReadOnlyFileIsAFailedWriteAndASavedFileKeepsItsMode) {
  namespace fs = std::filesystem;
  test::writeFile(h.paths.ini(), "; mine\r\n");
  fs::permissions(h.paths.ini(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(PutPGPra(Settings::defaults(), h.paths.ini(), h.reporter));
  EXPECT_EQ(test::readFile(h.paths.ini()), "; mine\r\n");
  EXPECT_EQ(h.transcript.text(), "msgbox warning \"PutPGPra\" \"設定ファイルの書き込みに失敗しました。\"\n");
  ASSERT_EQ(h.errorLines().size(), 1u);
  EXPECT_EQ(h.errorLines()[0].rfind("[PutPGPra] QELT:", 0), 0u);
  const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(h.paths.ini(), kept);
  ASSERT_TRUE(PutPGPra(Settings::defaults(), h.paths.ini(), h.reporter));
#ifdef _WIN32
  // Windows keeps only the read-only attribute: a writable file stays writable.
  EXPECT_NE(fs::status(h.paths.ini()).permissions() & fs::perms::owner_write, fs::perms::none);
#else
  EXPECT_EQ(fs::status(h.paths.ini()).permissions(), kept);
#endif
  EXPECT_NE(test::readFile(h.paths.ini()), "; mine\r\n");
}

TEST_F(SettingsStoreTest, AFileThatCannotBeReadIsNeverOverwritten) {
  std::filesystem::create_directory(h.paths.ini());  // a folder where the file should be
  EXPECT_FALSE(PutPGPra(Settings::defaults(), h.paths.ini(), h.reporter));
  EXPECT_TRUE(std::filesystem::is_directory(h.paths.ini()));
  EXPECT_FALSE(std::filesystem::exists(h.dir / "QELT.INI.tmp"));
}

TEST(SettingsRecord, FlagsKeepOneCharacter) {
  Settings settings;
  settings.set(Setting::ConvMode, "34");
  EXPECT_EQ(settings.get(Setting::ConvMode), "3");
  settings.set(Setting::ConvMode, "");
  EXPECT_EQ(settings.get(Setting::ConvMode), " ");
  settings.set(Setting::ConvMode, "１２");
  EXPECT_EQ(settings.get(Setting::ConvMode), "１");
  settings.set(Setting::Weight, "");
  EXPECT_EQ(settings.get(Setting::Weight), "");
  EXPECT_FALSE(settings.isOn(Setting::ConvMode));
}

}  // namespace
}  // namespace orbelin::settings
