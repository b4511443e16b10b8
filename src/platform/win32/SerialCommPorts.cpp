#include "platform/win32/SerialCommPorts.h"

// clang-format off
#include <windows.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <algorithm>
#include <map>
#include <optional>
#include <string>

namespace orbelin::platform::win32 {

namespace {

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

/// n for "COMn" (any case), nothing for any other name.
std::optional<int> comNumber(const std::wstring& name) {
  if (name.size() < 4 || name.size() > 6 || _wcsnicmp(name.c_str(), L"COM", 3) != 0) return std::nullopt;
  int number = 0;
  for (std::size_t i = 3; i < name.size(); ++i) {
    if (name[i] < L'0' || name[i] > L'9') return std::nullopt;
    number = number * 10 + (name[i] - L'0');
  }
  if (number < 1) return std::nullopt;
  return number;
}

/// The text of a string value, cut at its first NUL; empty when it is none.
std::wstring stringValue(const std::vector<wchar_t>& data, DWORD bytes) {
  const std::wstring text(data.data(), bytes / sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

/// COM number → device name, from the serial device map.
std::map<int, std::wstring> deviceMap() {
  std::map<int, std::wstring> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return ports;
  }
  std::vector<wchar_t> name(256);
  std::vector<wchar_t> data(256);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    DWORD type = 0;
    const LONG result = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &dataBytes);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;  // a value too long for a COM name
    if (const auto number = comNumber(stringValue(data, dataBytes))) {
      ports.emplace(*number, std::wstring(name.data(), nameLength));
    }
  }
  RegCloseKey(key);
  return ports;
}

/// COM number → friendly name of the devices of the Ports class present.
std::map<int, std::wstring> friendlyNames() {
  std::map<int, std::wstring> names;
  HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return names;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof(device);
  for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    std::vector<wchar_t> data(64);
    DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    DWORD type = 0;
    const bool named = RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                        &bytes) == ERROR_SUCCESS && type == REG_SZ;
    RegCloseKey(key);
    const auto number = named ? comNumber(stringValue(data, bytes)) : std::nullopt;
    if (!number) continue;
    std::vector<wchar_t> friendly(256);
    DWORD friendlyBytes = 0;
    if (SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME, &type,
                                          reinterpret_cast<BYTE*>(friendly.data()),
                                          static_cast<DWORD>(friendly.size() * sizeof(wchar_t)), &friendlyBytes)) {
      names.emplace(*number, stringValue(friendly, friendlyBytes));
    }
  }
  SetupDiDestroyDeviceInfoList(devices);
  return names;
}

}  // namespace

std::vector<SystemSerialPort> serialCommPorts() {
  const auto friendly = friendlyNames();
  std::vector<SystemSerialPort> ports;
  for (const auto& [number, device] : deviceMap()) {
    const auto named = friendly.find(number);
    ports.push_back({number, utf8(named != friendly.end() && !named->second.empty() ? named->second : device)});
  }
  return ports;
}

}  // namespace orbelin::platform::win32
