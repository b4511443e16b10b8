#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <algorithm>
#include <string>

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
  const auto byNumber = [](const auto& a, const auto& b) { return a.number < b.number; };
  EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end(), byNumber));
  for (const auto& port : ports) {
    EXPECT_GE(port.number, 1);
    EXPECT_EQ(port.name.find("/dev"), std::string::npos) << port.name;
    EXPECT_EQ(port.name.find('/'), std::string::npos) << port.name;
  }
}

/// A device of the Ports class that names COM2 and has a friendly name, as a driver
/// registers it; removed again at the end.
class FriendlyPort {
 public:
  explicit FriendlyPort(const std::wstring& friendly) {
    m_set = SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr);
    m_device.cbSize = sizeof(m_device);
    if (!SetupDiCreateDeviceInfoW(m_set, L"PORTS", &GUID_DEVCLASS_PORTS, nullptr, nullptr, DICD_GENERATE_ID,
                                  &m_device) ||
        !SetupDiRegisterDeviceInfo(m_set, &m_device, 0, nullptr, nullptr, nullptr)) {
      return;
    }
    m_registered = true;
    SetupDiSetDeviceRegistryPropertyW(m_set, &m_device, SPDRP_FRIENDLYNAME,
                                      reinterpret_cast<const BYTE*>(friendly.c_str()),
                                      static_cast<DWORD>((friendly.size() + 1) * sizeof(wchar_t)));
    HKEY key = SetupDiCreateDevRegKeyW(m_set, &m_device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, nullptr, nullptr);
    if (key == INVALID_HANDLE_VALUE) return;
    const std::wstring port = L"COM2";
    RegSetValueExW(key, L"PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(port.c_str()),
                   static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  ~FriendlyPort() {
    if (m_registered) SetupDiRemoveDevice(m_set, &m_device);
    SetupDiDestroyDeviceInfoList(m_set);
  }
  bool registered() const { return m_registered; }

 private:
  HDEVINFO m_set;
  SP_DEVINFO_DATA m_device{};
  bool m_registered = false;
};

TEST(SerialCommPorts, NamesAPortByItsDevicesFriendlyName) {
  FriendlyPort device(L"USB シリアル デバイス (COM2)");
  ASSERT_TRUE(device.registered());
  const auto ports = serialCommPorts();
  const auto com2 = std::find_if(ports.begin(), ports.end(), [](const auto& port) { return port.number == 2; });
  ASSERT_NE(com2, ports.end());
  EXPECT_EQ(com2->name, "USB シリアル デバイス (COM2)");
}

}  // namespace
}  // namespace orbelin::platform::win32
