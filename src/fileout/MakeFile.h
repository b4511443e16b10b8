#pragma once

#include <filesystem>
#include <string_view>

#include "report/FailureReporter.h"

namespace orbelin::fileout {

/// Attempts and pause of MakeFile: a busy file is tried 60 times, 50 ms apart.
inline constexpr int kMakeFileAttempts = 60;
inline constexpr int kMakeFileRetryMs = 50;

/// Appends text (in code page 932) and CR LF to path, creating the file. A file that is
/// busy or cannot be written is retried; after the last attempt one "[MakeFile] " line
/// goes to the error log (no message box) and the result is false.
bool MakeFile(std::string_view text, const std::filesystem::path& path, report::FailureReporter& reporter);

}  // namespace orbelin::fileout
