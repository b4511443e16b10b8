#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/Settings.h"

namespace orbelin::convert::book {

/// What the book code step passes on after one record.
struct BookRecords {
  /// A withheld row let go alone before this record (only with BookJAN1 "1"); it goes
  /// through the rest of the pipeline as a record of its own, before record.
  std::optional<std::string> released;
  /// The record's own result; empty when nothing is passed on for it (withheld, or a
  /// magazine code without its add-on).
  std::string record;

  bool operator==(const BookRecords&) const = default;
};

/// The book code conversion. Japanese books carry two bar code rows: the first
/// (97..., or F97...) holds the ISBN, the second (19...) the classification code and the
/// price. Readers send them as two records, or as one. The converter:
/// 1. BookJAN "1": withholds a lone row (first row shorter than 26 characters, line ends
///    removed; any second row) until its partner comes, then passes both as one record:
///    first row, the BookSeparate character ("0": none), second row, whichever came first;
/// 2. AddOn "1": drops a magazine code (491..., 13 to 17 characters) without its add-on;
/// 3. ISBN13 and ISBN "1": withholds a short ISBN text ("ISBN4..." or "ISBN978-4...",
///    shorter than 23 characters, line ends removed) or a classification text ("C...")
///    and joins the pair as ISBN text + " " + classification text;
/// 4. ISBN "1": the same for "ISBN4..." shorter than 20 characters;
/// 5. ISBN13 "1": the same for "ISBN978-4..." shorter than 23 characters;
/// 6. JAN2toISBN not "0": converts book rows to the Japanese book code (convertBookRows).
/// One row is held at a time, for at most SPCWeight milliseconds. A held row that finds
/// no partner in time, or is displaced by another row it does not pair with, or by a
/// record that is no row of its kind, is passed on alone with BookJAN1 "1" (through step
/// 2 and 6), and dropped otherwise. A joined record is not withheld again.
class BookCodeConverter {
 public:
  /// Converts one record that arrived at nowMs (platform::Clock::monotonicMs). A held row
  /// whose wait is over is released first. Throws report::RuntimeFailure when SPCWeight is
  /// no number while a row is held (the held row is dropped) or when the record is a row
  /// to withhold, or when BookSeparate is no character code when two rows are joined:
  /// the record pipeline reports that as its own failure ("EventRecv") and goes on with
  /// the next record.
  BookRecords convert(std::string_view text, const settings::Settings& settings, std::int64_t nowMs);

  /// The held row once more than SPCWeight milliseconds have passed since it was stored,
  /// for the pipeline's timer: returned (converted by step 2 and 6) with BookJAN1 "1",
  /// dropped otherwise. Nothing while the wait lasts or while SPCWeight is no number.
  std::optional<std::string> takeExpired(std::int64_t nowMs, const settings::Settings& settings);

  /// The first millisecond at which takeExpired lets the held row go; nothing while no
  /// row is held or while SPCWeight is no number.
  std::optional<std::int64_t> nextExpiry(const settings::Settings& settings) const;

  /// True while a row waits for its partner.
  bool holding() const { return m_held.has_value(); }

  /// Why records were dropped since the last call, one line each with the record: rows
  /// let go without BookJAN1 "1", magazine codes without their add-on.
  std::vector<std::string> takeDropNotes() { return std::exchange(m_dropNotes, {}); }

 private:
  enum class Kind { FirstRow, SecondRow, IsbnText, ClassificationText };
  struct Held {
    std::string text;
    std::int64_t storedMs;
    Kind kind;
  };
  struct WithholdingStep;

  bool withhold(std::string& text, const WithholdingStep& step, const settings::Settings& settings,
                std::int64_t nowMs, BookRecords& out);
  std::optional<std::string> release(const settings::Settings& settings);
  std::string finish(std::string text, const settings::Settings& settings);

  std::optional<Held> m_held;
  std::vector<std::string> m_dropNotes;
};

}  // namespace orbelin::convert::book
