#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/FailureReporter.h"
#include "serial/ConversionSteps.h"
#include "settings/Configuration.h"

namespace orbelin::serial {

/// The conversions of a record, in the one order the program and the tools share: the
/// GS1-128 decoding (EANRead), case and width (ConvMode), the book code step, the byte
/// edit (ByteEd) and substitution (Chikan), and the braces (SendKeySpc). Its input is a
/// record whose framing codes the framer has taken off; its output is the send data.
class RecordConverter {
 public:
  /// note receives the COMRECV.LOG lines for data that is not passed on.
  RecordConverter(const settings::Configuration& configuration, report::FailureReporter& reporter,
                  ConversionSteps steps, std::function<void(const std::string&)> note);
  RecordConverter(const RecordConverter&) = delete;
  RecordConverter& operator=(const RecordConverter&) = delete;

  /// The send data of one record at virtual time nowMs: a withheld row let go by it
  /// first, then the record's own (empty when nothing is typed). Nothing when a step
  /// failed, which is reported as "EventRecv".
  std::optional<BookResult> convert(std::string record, std::int64_t nowMs);
  /// The send data of the withheld rows whose wait has run out by nowMs.
  std::vector<std::string> takeExpired(std::int64_t nowMs);
  /// When the wait of the withheld row runs out; nothing when no row is held.
  std::optional<std::int64_t> nextExpiry() const { return m_steps.book->nextExpiry(); }

 private:
  /// The steps after the book step: byte edit, substitution and braces.
  std::string sendData(const std::string& record) const;
  void noteDroppedRows();

  const settings::Configuration& m_configuration;
  report::FailureReporter& m_reporter;
  ConversionSteps m_steps;
  std::function<void(const std::string&)> m_note;
  PassThroughBookStep m_passThrough;
};

}  // namespace orbelin::serial
