#include <gtest/gtest.h>

#include "report/ProgramFolder.h"
#include "support/TempDir.h"

namespace orbelin::report {
namespace {

using std::filesystem::path;

struct FolderCase {
  const char* name;
  FolderFacts facts;
  path dir;
  FolderKind kind;
};

FolderFacts facts(bool installed, bool writable, std::optional<std::string> xdg = std::nullopt,
                  std::optional<std::string> home = "/home/u", std::optional<path> given = std::nullopt,
                  bool perUser = true) {
  FolderFacts f;
  f.given = std::move(given);
  f.executableDir = "/opt/orbelin/bin";
  f.installed = installed;
  f.executableDirWritable = writable;
  f.xdgDataHome = std::move(xdg);
  f.home = std::move(home);
  f.perUserFolders = perUser;
  return f;
}

class ChooseProgramFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ChooseProgramFolder, FollowsTheRule) {
#ifdef _WIN32
  // The per-user rule is for XDG systems, whose absolute paths these are; Windows keeps
  // the executable's folder.
  if (GetParam().facts.perUserFolders) GTEST_SKIP();
#endif
  const auto chosen = chooseProgramFolder(GetParam().facts);
  EXPECT_EQ(chosen.dir, GetParam().dir);
  EXPECT_EQ(chosen.kind, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseProgramFolder,
    ::testing::Values(
        FolderCase{"DirWinsOverEverything", facts(true, false, "/x", "/home/u", path("/data")), "/data", FolderKind::Given},
        FolderCase{"PortableInAWritableFolder", facts(false, true), "/opt/orbelin/bin", FolderKind::Portable},
        FolderCase{"InstalledEvenWhenWritableByRoot", facts(true, true), "/home/u/.local/share/orbelin",
                   FolderKind::PerUser},
        FolderCase{"UnwritableFolderGoesToTheUser", facts(false, false), "/home/u/.local/share/orbelin",
                   FolderKind::PerUser},
        FolderCase{"XdgDataHomeWhenAbsolute", facts(true, false, "/xdg"), "/xdg/orbelin", FolderKind::PerUser},
        FolderCase{"RelativeXdgDataHomeIgnored", facts(true, false, "rel"), "/home/u/.local/share/orbelin",
                   FolderKind::PerUser},
        FolderCase{"NoHomeLeavesTheExecutablesFolder", facts(true, false, std::nullopt, std::nullopt),
                   "/opt/orbelin/bin", FolderKind::Portable},
        FolderCase{"WindowsKeepsTheExecutablesFolder", facts(true, false, "/xdg", "/home/u", std::nullopt, false),
                   "/opt/orbelin/bin", FolderKind::Portable}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ProgramFolder, ProbeSeesWhetherAFolderTakesFiles) {
  test::TempDir dir;
  EXPECT_TRUE(folderTakesFiles(dir.path()));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  // As root every mode bit is ignored: a folder under a regular file can never take files.
  test::writeFile(dir / "plain", "x");
  EXPECT_FALSE(folderTakesFiles(dir / "plain"));
  EXPECT_FALSE(folderTakesFiles(dir / "plain" / "sub"));
}

TEST(ProgramFolder, ShippedDataIsTheInstalledTreesOrBesideTheProgram) {
  test::TempDir root;
  std::filesystem::create_directories(root / "bin");
  EXPECT_EQ(shippedDataFolder(root / "bin"), root / "bin");
  std::filesystem::create_directories(root / "share" / "orbelin");
  EXPECT_EQ(shippedDataFolder(root / "bin"), root / "share" / "orbelin");
}

}  // namespace
}  // namespace orbelin::report
