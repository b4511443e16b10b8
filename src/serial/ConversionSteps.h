#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbelin::serial {

/// What the book code step passes on after one record.
struct BookResult {
  /// A withheld row let go alone before this record; it goes through the rest of the
  /// pipeline as a record of its own, first.
  std::optional<std::string> released;
  /// The record's own result; empty when it is withheld or rejected.
  std::string record;
};

/// The book code step with its memory of withheld rows, as the pipeline drives it.
class BookStep {
 public:
  virtual ~BookStep() = default;
  /// The record after the book code conversion at virtual time nowMs. Throws
  /// report::RuntimeFailure for a wait time that is no number.
  virtual BookResult convert(std::string_view record, std::int64_t nowMs) = 0;
  /// The withheld rows whose wait has run out by nowMs, converted and ready to go on
  /// alone (none when they are to be dropped).
  virtual std::vector<std::string> takeExpired(std::int64_t nowMs) = 0;
  /// When the wait of the withheld row runs out; nothing when no row is held.
  virtual std::optional<std::int64_t> nextExpiry() const = 0;
  /// Why rows were dropped (COMRECV.LOG lines) since the last call.
  virtual std::vector<std::string> takeDropNotes() { return {}; }
};

/// A book step that passes every record unchanged and holds nothing.
class PassThroughBookStep : public BookStep {
 public:
  BookResult convert(std::string_view record, std::int64_t) override { return {std::nullopt, std::string(record)}; }
  std::vector<std::string> takeExpired(std::int64_t) override { return {}; }
  std::optional<std::int64_t> nextExpiry() const override { return std::nullopt; }
};

/// The conversions the pipeline runs between reception and the send data that come from
/// the decoders: the GS1-128 decoding (run when EANRead is "1"; an empty result types
/// nothing; discarded receives the data it could not decode, checkNotes the COMRECV.LOG
/// lines of the GS1 checks) and the book code step.
/// Unset steps leave the record as it is.
struct ConversionSteps {
  std::function<std::string(std::string_view record, std::string& discarded, std::vector<std::string>& checkNotes)>
      eanRead;
  BookStep* book = nullptr;
};

}  // namespace orbelin::serial
