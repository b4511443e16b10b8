#pragma once

#include <filesystem>
#include <string_view>

namespace orbelin::report {

/// The program folder and the files the program keeps in it.
struct ProgramPaths {
  std::filesystem::path dir;

  std::filesystem::path file(std::string_view name) const { return dir / name; }
  std::filesystem::path ini() const { return file("QELT.INI"); }
  std::filesystem::path database() const { return file("QELT.PDF"); }
  std::filesystem::path errorLog() const { return file("ERROR.LOG"); }
  std::filesystem::path receiveLog() const { return file("COMRECV.LOG"); }
  std::filesystem::path receiveCapture() const { return file("RCV.TXT"); }
  std::filesystem::path finishMarker() const { return file("FINISH.TXT"); }
  std::filesystem::path dontKeyMarker() const { return file("DONTKEY.TXT"); }
  std::filesystem::path writeTestFile() const { return file("A.INI"); }
};

}  // namespace orbelin::report
