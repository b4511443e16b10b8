#include "platform/win32/SystemInfoTool.h"

#include <windows.h>

#include <string>

namespace orbelin::platform::win32 {

namespace {

std::optional<std::wstring> machineValue(const wchar_t* key, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ, nullptr, value.data(),
                   &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(wcsnlen(value.c_str(), value.size()));
  return value;
}

}  // namespace

std::optional<std::filesystem::path> findSystemInfoTool() {
  if (auto path = machineValue(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"); path && !path->empty()) {
    return std::filesystem::path(*path);
  }
  if (auto folder = machineValue(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO")) {
    const std::filesystem::path program = std::filesystem::path(*folder + L"\\MSINFO32.EXE");
    std::error_code error;
    if (std::filesystem::exists(program, error)) return program;
  }
  return std::nullopt;
}

}  // namespace orbelin::platform::win32
