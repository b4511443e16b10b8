#include "platform/FileAppend.h"

#include <windows.h>

#include "platform/win32/SystemMessage.h"

namespace orbelin::platform {

using win32::systemMessage;

AppendResult appendLine(const std::filesystem::path& path, std::string_view bytes) {
  // Sharing reads only: another program that has the file open for writing makes it "busy".
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {false, systemMessage(GetLastError())};
  std::string line(bytes);
  line += "\r\n";
  std::string_view rest = line;
  bool written = true;
  DWORD writeError = 0;
  while (!rest.empty()) {
    DWORD done = 0;
    if (!WriteFile(file, rest.data(), static_cast<DWORD>(rest.size()), &done, nullptr) || done == 0) {
      writeError = GetLastError();
      written = false;
      break;
    }
    rest.remove_prefix(done);
  }
  const bool closed = CloseHandle(file) != 0;
  if (!written) return {false, systemMessage(writeError)};
  if (!closed) return {false, systemMessage(GetLastError())};
  return {true, {}};
}

}  // namespace orbelin::platform
