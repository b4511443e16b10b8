#include "platform/win32/StartupShortcut.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <string>

namespace orbelin::platform::win32 {

namespace {

/// COM for this thread while it lives; a thread that already has it keeps it.
class ComScope {
 public:
  ComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(m_result)) CoUninitialize();
  }
  bool usable() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

 private:
  HRESULT m_result;
};

template <typename T>
struct Released {
  T* pointer = nullptr;
  ~Released() {
    if (pointer != nullptr) pointer->Release();
  }
};

}  // namespace

std::optional<std::filesystem::path> startupFolder() {
  PWSTR found = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &found))) return std::nullopt;
  std::filesystem::path folder(found);
  CoTaskMemFree(found);
  return folder;
}

bool writeStartupShortcut(const std::filesystem::path& folder, const std::filesystem::path& program,
                          const std::optional<std::filesystem::path>& programDir) {
  ComScope com;
  if (!com.usable()) return false;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  Released<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link.pointer)))) {
    return false;
  }
  link.pointer->SetPath(program.c_str());
  link.pointer->SetWorkingDirectory(program.parent_path().c_str());
  if (programDir) link.pointer->SetArguments((L"--dir \"" + programDir->wstring() + L"\"").c_str());
  Released<IPersistFile> file;
  if (FAILED(link.pointer->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.pointer)))) return false;
  return SUCCEEDED(file.pointer->Save((folder / L"Orbelin.lnk").c_str(), TRUE));
}

}  // namespace orbelin::platform::win32
