// The About box: version label, system information and help.
#include <QDir>
#include <QLabel>
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/frmAbout.h"

namespace orbelin::test {
namespace {

class FakeDesktop : public ui::DesktopTools {
 public:
  std::optional<QString> tool;
  bool starts = true;
  bool opens = true;
  std::vector<std::string> actions;

  std::optional<QString> systemInfoTool() override { return tool; }
  bool start(const QString& program) override {
    actions.push_back("start " + ui::str(program));
    return starts;
  }
  bool openDocument(const QString& path) override {
    actions.push_back("open " + ui::str(path));
    return opens;
  }
};

class About : public ::testing::Test {
 protected:
  std::unique_ptr<ui::frmAbout> open() {
    return std::make_unique<ui::frmAbout>(ui::ProgramVersion{1, 2, 3, "2008-03-28"},
                                          ui::AboutFolders{ui::qs(harness.dir.path().string()), programFolder},
                                          harness.messages, desktop);
  }
  Harness harness;
  FakeDesktop desktop;
  QString programFolder = QStringLiteral("/home/u/.local/share/orbelin");
};

TEST_F(About, ShowsVersionAndReleaseDate) {
  auto about = open();
  EXPECT_EQ(about->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 Orbelin"));
  EXPECT_EQ(child<QLabel>(*about, "lblVersion").text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.2.3β"));
  EXPECT_EQ(child<QLabel>(*about, "lblUpdate").text(), QStringLiteral("更新日：2008/03/28"));
}

TEST_F(About, NamesTheProgramFolder) {
  EXPECT_EQ(child<QLabel>(*open(), "lblFolder").text(), QStringLiteral("データフォルダ：/home/u/.local/share/orbelin"));
  programFolder.clear();
  EXPECT_EQ(open()->findChild<QLabel*>(QStringLiteral("lblFolder")), nullptr);
}

TEST_F(About, NamesTheLicenceOfTheBuild) {
  ui::frmAbout about(ui::builtVersion(), ui::AboutFolders{}, harness.messages, desktop);
  EXPECT_EQ(child<QLabel>(about, "lblLicense").text(), QStringLiteral("ライセンス：Apache-2.0"));
}

TEST_F(About, BuiltVersionComesFromTheBuild) {
  const auto version = ui::builtVersion();
  EXPECT_GE(version.major + version.minor + version.revision, 1);
  EXPECT_EQ(version.releaseDate.size(), 10u);
}

TEST_F(About, WithoutASystemInformationToolSaysSoAndStaysOpen) {
  auto about = open();
  about->show();
  click(*about, "cmdSysInfo");
  EXPECT_EQ(harness.transcript.lines(),
            std::vector<std::string>{boxLine("none", "Orbelin", "現時点ではｼｽﾃﾑ情報を使用できません")});
  EXPECT_TRUE(about->isVisible());
}

TEST_F(About, StartsTheSystemInformationToolWhenInstalled) {
  desktop.tool = QStringLiteral("/usr/bin/hardinfo");
  auto about = open();
  click(*about, "cmdSysInfo");
  EXPECT_EQ(desktop.actions, std::vector<std::string>{"start /usr/bin/hardinfo"});
  EXPECT_TRUE(harness.transcript.lines().empty());
  desktop.starts = false;
  click(*about, "cmdSysInfo");
  EXPECT_EQ(harness.transcript.lines().size(), 1u);
}

TEST_F(About, HelpOpensTheShippedDocument) {
  writeFile(harness.dir / ui::kHelpFileName, "<html></html>");
  auto about = open();
  click(*about, "HelpCmd");
  EXPECT_EQ(desktop.actions, std::vector<std::string>{"open " + (harness.dir / ui::kHelpFileName).string()});
  EXPECT_TRUE(harness.transcript.lines().empty());
}

TEST_F(About, MissingHelpIsReported) {
  auto about = open();
  click(*about, "HelpCmd");
  EXPECT_TRUE(desktop.actions.empty());
  EXPECT_EQ(harness.transcript.lines(),
            std::vector<std::string>{boxLine(
                "information", "ﾊﾞｰｼﾞｮﾝ情報 Orbelin",
                "ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。")});
}

TEST_F(About, OkCloses) {
  auto about = open();
  about->show();
  click(*about, "cmdOK");
  EXPECT_FALSE(about->isVisible());
}

}  // namespace
}  // namespace orbelin::test
