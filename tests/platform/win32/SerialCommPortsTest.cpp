#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/SerialCommPorts.h"

// Runs under with-wine.sh --serial: COM1 and COM2 are mapped to a pty pair.
namespace orbelin::platform::win32 {
namespace {

TEST(SerialCommPorts, ListsTheMappedPortsByNumberWithoutUnixPaths) {
  const auto ports = serialCommPorts();
  const auto has = [&](int number) {
    return std::any_of(ports.begin(), ports.end(), [&](const auto& port) { return port.number == number; });
  };
  EXPECT_TRUE(has(1));
  EXPECT_TRUE(has(2));
  EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end(), [](const auto& a, const auto& b) { return a.number < b.number; }));
  for (const auto& port : ports) {
    EXPECT_GE(port.number, 1);
    EXPECT_EQ(port.name.find("/dev"), std::string::npos) << port.name;
    EXPECT_EQ(port.name.find('/'), std::string::npos) << port.name;
  }
}

}  // namespace
}  // namespace orbelin::platform::win32
