#pragma once

#include <exception>
#include <filesystem>
#include <string_view>

#include "platform/Clock.h"
#include "platform/MessageBox.h"

namespace orbelin::report {

/// The error source of the program's own run-time failures.
inline constexpr std::string_view kProgramSource = "QELT";

/// The one failure convention: a line "[Procedure] source:description" in ERROR.LOG,
/// then the procedure's message box. The caller then returns its failure value.
class FailureReporter {
 public:
  FailureReporter(std::filesystem::path errorLog, platform::Clock& clock, platform::MessageBox& messages)
      : m_errorLog(std::move(errorLog)), m_clock(clock), m_messages(messages) {}

  /// Logs the failure and shows the procedure's box (none for MakeFile).
  void report(std::string_view procedure, std::string_view source, std::string_view description);
  /// The same, with what the user can do about it after the procedure's fixed text.
  void report(std::string_view procedure, std::string_view source, std::string_view description,
              std::string_view advice);
  /// The same for a caught exception, with the program as the source.
  void report(std::string_view procedure, const std::exception& failure);
  /// The same, with the box shown aside (without taking the keyboard focus), for a
  /// failure that comes unasked while scans go on.
  void reportAside(std::string_view procedure, std::string_view source, std::string_view description);

  /// One line in ERROR.LOG and no box: something the user may want to know later that
  /// did not stop the procedure.
  void log(std::string_view text);

  platform::Clock& clock() { return m_clock; }
  platform::MessageBox& messages() { return m_messages; }

 private:
  void reportTo(std::string_view procedure, std::string_view source, std::string_view description,
                std::string_view advice, bool aside);

  std::filesystem::path m_errorLog;
  platform::Clock& m_clock;
  platform::MessageBox& m_messages;
};

}  // namespace orbelin::report
