#include "report/WriteLog.h"

#include <cstdio>
#include <string>
#include <system_error>

#include "report/FileExists.h"
#include "codec/Cp932.h"
#include "platform/FileAppend.h"

namespace orbelin::report {

namespace {

bool rotateIfLarge(const std::filesystem::path& path) {
  if (!FileExists(path, kAttrNormal)) return true;
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error == std::errc::no_such_file_or_directory) return true;
  if (error) return false;
  if (size <= kLogRotateBytes) return true;
  std::filesystem::path backup = path;
  backup += "_bak";
  std::filesystem::remove(backup, error);
  if (error) return false;
  std::filesystem::rename(path, backup, error);
  return !error;
}

std::string timeStamp(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d ", t.year % 100, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

}  // namespace

bool WriteLog(std::string_view text, const std::filesystem::path& path, platform::Clock& clock) {
  if (!rotateIfLarge(path)) return false;
  const std::string line = timeStamp(clock.localTime()) + std::string(text);
  return platform::appendLine(path, codec::toCp932(line)).ok;
}

}  // namespace orbelin::report
