#include <gtest/gtest.h>

#include <filesystem>

#include "platform/qtserial/SerialById.h"
#include "support/TempDir.h"

namespace orbelin::platform::qtserial {
namespace {

TEST(SerialById, ListsTheLinksThatLeadToADeviceSortedByName) {
  test::TempDir dev;
  const auto byId = dev / "serial-by-id";
  std::filesystem::create_directory(byId);
  test::writeFile(dev / "ttyACM0", "");
  test::writeFile(dev / "ttyUSB1", "");
  std::filesystem::create_symlink("../ttyUSB1", byId / "usb-Maker_Scanner_0002-if00-port0");
  std::filesystem::create_symlink(dev / "ttyACM0", byId / "usb-Maker_Reader_0001-if00");
  std::filesystem::create_symlink("../ttyACM9", byId / "usb-Gone_Reader-if00");  // unplugged meanwhile
  test::writeFile(byId / "README", "not a link");

  const auto names = serialDevicesById(byId);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].path, (byId / "usb-Maker_Reader_0001-if00").string());
  EXPECT_EQ(names[0].device, std::filesystem::canonical(dev / "ttyACM0").string());
  EXPECT_EQ(names[1].path, (byId / "usb-Maker_Scanner_0002-if00-port0").string());
  EXPECT_EQ(names[1].device, std::filesystem::canonical(dev / "ttyUSB1").string());
}

TEST(SerialById, NoFolderMeansNoDevice) {
  test::TempDir dev;
  EXPECT_TRUE(serialDevicesById(dev / "missing").empty());
}

}  // namespace
}  // namespace orbelin::platform::qtserial
