#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/Clock.h"

namespace orbelin::report {

/// A log above this size is renamed to its "_bak" name before the next line.
inline constexpr std::uintmax_t kLogRotateBytes = 2'000'000;

/// Appends "yy/mm/dd hh:mm:ss TEXT" and CR LF to path (in code page 932), rotating the
/// file first when it has grown past kLogRotateBytes. False on any failure, silently.
bool WriteLog(std::string_view text, const std::filesystem::path& path, platform::Clock& clock);

}  // namespace orbelin::report
