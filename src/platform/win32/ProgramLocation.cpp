#include "platform/ProgramLocation.h"

#include <windows.h>

#include <cstdlib>
#include <system_error>

namespace orbelin::platform {

ProgramLocation programLocation() {
  ProgramLocation location;
  std::wstring self(MAX_PATH, L'\0');
  // A longer path is cut at the buffer's end: grow it until the name fits.
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (length < self.size()) {
      self.resize(length);
      break;
    }
    self.resize(self.size() * 2);
  }
  location.executableDir = std::filesystem::path(self).parent_path();
  std::error_code error;
  location.installed = std::filesystem::is_regular_file(location.executableDir / kUninstallerName, error);
  // Through UTF-16: a user name outside the ANSI code page would be lost in a narrow string.
  if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData != nullptr) {
    location.userFolder = appDataUserFolder(std::filesystem::path(appData));
  }
  return location;
}

}  // namespace orbelin::platform
