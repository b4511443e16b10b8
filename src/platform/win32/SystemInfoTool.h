#pragma once

#include <filesystem>
#include <optional>

namespace orbelin::platform::win32 {

/// The system information program as the registry names it: the value "PATH" under
/// HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO, else MSINFO32.EXE in the folder of the
/// value "MSINFO" under HKLM\SOFTWARE\Microsoft\Shared Tools Location when that file
/// exists; none otherwise.
std::optional<std::filesystem::path> findSystemInfoTool();

}  // namespace orbelin::platform::win32
