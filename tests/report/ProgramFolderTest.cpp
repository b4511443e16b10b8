#include <gtest/gtest.h>

#include "platform/ProgramLocation.h"
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

const path kUser = "/home/u/.local/share/orbelin";

FolderFacts facts(bool installed, bool writable, std::optional<path> user = kUser,
                  std::optional<path> given = std::nullopt) {
  return FolderFacts{std::move(given), "/opt/orbelin/bin", installed, writable, std::move(user)};
}

class ChooseProgramFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ChooseProgramFolder, FollowsTheRule) {
  const auto chosen = chooseProgramFolder(GetParam().facts);
  EXPECT_EQ(chosen.dir, GetParam().dir);
  EXPECT_EQ(chosen.kind, GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseProgramFolder,
    ::testing::Values(
        FolderCase{"DirWinsOverEverything", facts(true, false, kUser, path("/data")), "/data", FolderKind::Given},
        FolderCase{"PortableInAWritableFolder", facts(false, true), "/opt/orbelin/bin", FolderKind::Portable},
        // A per-user setup's folder can be written, and is still no place for the settings.
        FolderCase{"InstalledEvenWhenWritable", facts(true, true), kUser, FolderKind::PerUser},
        FolderCase{"UnwritableFolderGoesToTheUser", facts(false, false), kUser, FolderKind::PerUser},
        FolderCase{"NoUserFolderLeavesTheExecutablesFolder", facts(true, false, std::nullopt), "/opt/orbelin/bin",
                   FolderKind::Portable}),
    [](const auto& param) { return std::string(param.param.name); });

struct UserFolderCase {
  const char* name;
  std::optional<std::string> xdg;
  std::optional<std::string> home;
  std::optional<path> folder;
};

class XdgUserFolder : public ::testing::TestWithParam<UserFolderCase> {};

TEST_P(XdgUserFolder, FollowsXdgDataHome) {
#ifdef _WIN32
  // These are XDG systems' absolute paths, which name no drive.
  GTEST_SKIP();
#endif
  EXPECT_EQ(platform::xdgUserFolder(GetParam().xdg, GetParam().home), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XdgUserFolder,
    ::testing::Values(UserFolderCase{"XdgDataHomeWhenAbsolute", "/xdg", "/home/u", path("/xdg/orbelin")},
                      UserFolderCase{"RelativeXdgDataHomeIgnored", "rel", "/home/u", kUser},
                      UserFolderCase{"HomeWithoutXdgDataHome", std::nullopt, "/home/u", kUser},
                      UserFolderCase{"NeitherGivesNone", std::nullopt, std::nullopt, std::nullopt},
                      UserFolderCase{"EmptyHomeGivesNone", std::nullopt, "", std::nullopt}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ProgramFolder, WindowsUserFolderIsOrbelinInAppData) {
  test::TempDir dir;
  const path appData = std::filesystem::absolute(dir.path());
  EXPECT_EQ(platform::appDataUserFolder(appData), appData / "Orbelin");
  EXPECT_EQ(platform::appDataUserFolder(path("relative")), std::nullopt);
  EXPECT_EQ(platform::appDataUserFolder(std::nullopt), std::nullopt);
}

TEST(ProgramFolder, LocatedForTheRunningProgram) {
  test::TempDir dir;
  const auto given = locateProgramFolder(dir.path());
  EXPECT_EQ(given.kind, FolderKind::Given);
  EXPECT_EQ(given.dir, std::filesystem::absolute(dir.path()));
  // A test program sits in the build's own folder, which it can write: a portable program.
  const auto own = locateProgramFolder(std::nullopt);
  EXPECT_EQ(own.kind, FolderKind::Portable);
  EXPECT_EQ(own.dir, platform::programLocation().executableDir);
  EXPECT_EQ(own.shippedDir, own.dir);
}

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
