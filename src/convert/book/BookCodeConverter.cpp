#include "convert/book/BookCodeConverter.h"

#include <array>

#include "convert/book/JapaneseBookCode.h"
#include "codec/Cp932.h"
#include "codec/Utf8.h"
#include "text/InterchangeStr.h"
#include "text/Integers.h"

namespace orbelin::convert::book {

namespace {

using settings::Setting;

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) codec::nextCodePoint(text, pos);
  return count;
}

bool startsWithAny(std::string_view text, const std::array<std::string_view, 2>& prefixes) {
  for (const std::string_view prefix : prefixes) {
    if (!prefix.empty() && text.starts_with(prefix)) return true;
  }
  return false;
}

void removeLineEnds(std::string& text) {
  text = text::replaceAllBytes(text::replaceAllBytes(text, "\r", ""), "\n", "");
}

// The character whose code BookSeparate holds; "0" or empty: none.
std::string separatorOf(const std::string& setting) {
  if (setting.empty()) return {};
  const std::int32_t code = text::toInteger(setting);
  if (code < 0 || code > 0xFF) throw report::RuntimeFailure(text::kInvalidArgument);
  return code == 0 ? std::string{} : codec::fromCp932(std::string(1, static_cast<char>(code)));
}

// A magazine code without its five-digit add-on, which AddOn "1" drops.
bool isMagazineWithoutAddOn(std::string_view text, const settings::Settings& s) {
  const std::size_t length = characterCount(text);
  return s.isOn(Setting::AddOn) && text.starts_with("491") && length >= 13 && length < 18;
}

// The conversion of book rows, by JAN2toISBN.
std::string convertRows(std::string text, const settings::Settings& s) {
  const std::string& mode = s.get(Setting::JAN2toISBN);
  return text.empty() || mode == "0" ? text : convertBookRows(text, mode);
}

constexpr std::string_view kDroppedRow = "[破棄] 組になるデータが来ませんでした: ";
constexpr std::string_view kDroppedMagazine = "[破棄] アドオンコードがありません: ";

}  // namespace

// One of the steps that withhold rows: which texts are its rows and how a pair is joined.
struct BookCodeConverter::WithholdingStep {
  std::array<std::string_view, 2> rowPrefixes;  // first rows or ISBN texts (an empty prefix is unused)
  std::size_t shorterThan;                      // ... when shorter than this
  std::string_view partnerPrefix;               // second rows or classification texts, of any length
  Kind row;
  Kind partner;
};

BookRecords BookCodeConverter::convert(std::string_view text, const settings::Settings& s, std::int64_t nowMs) {
  static constexpr WithholdingStep kBookRows{{"97", "F97"}, 26, "19", Kind::FirstRow, Kind::SecondRow};
  static constexpr WithholdingStep kIsbnBoth{
      {"ISBN4", "ISBN978-4"}, 23, "C", Kind::IsbnText, Kind::ClassificationText};
  static constexpr WithholdingStep kIsbn10{{"ISBN4", ""}, 20, "C", Kind::IsbnText, Kind::ClassificationText};
  static constexpr WithholdingStep kIsbn13{{"ISBN978-4", ""}, 23, "C", Kind::IsbnText, Kind::ClassificationText};
  BookRecords out;
  const bool bookRows = s.isOn(Setting::BookJAN);
  const bool isbn = s.isOn(Setting::ISBN);
  const bool isbn13 = s.isOn(Setting::ISBN13);
  if (m_held) {
    const std::optional<std::int32_t> waitMs = text::parseInteger(s.get(Setting::SPCWeight));
    if (!waitMs) {
      // A row whose wait cannot be known would fail every later record.
      m_dropNotes.push_back(std::string(kDroppedRow) + m_held->text);
      m_held.reset();
      throw report::RuntimeFailure(text::kTypeMismatch);
    }
    if (nowMs - m_held->storedMs > *waitMs) out.released = release(s);
  }
  std::string record(text);
  if (record.empty() || (bookRows && withhold(record, kBookRows, s, nowMs, out))) return out;
  if (isMagazineWithoutAddOn(record, s)) {
    m_dropNotes.push_back(std::string(kDroppedMagazine) + record);
    return out;
  }
  if ((isbn13 && isbn && withhold(record, kIsbnBoth, s, nowMs, out)) ||
      (isbn && withhold(record, kIsbn10, s, nowMs, out)) || (isbn13 && withhold(record, kIsbn13, s, nowMs, out))) {
    return out;
  }
  out.record = convertRows(std::move(record), s);
  return out;
}

// True when the step has dealt with the record (withheld it, or joined it and put the
// result in out); false when the record goes on to the next step.
bool BookCodeConverter::withhold(std::string& text, const WithholdingStep& step, const settings::Settings& s,
                                 std::int64_t nowMs, BookRecords& out) {
  std::optional<Kind> kind;
  if (startsWithAny(text, step.rowPrefixes) && characterCount(text) < step.shorterThan) {
    removeLineEnds(text);
    kind = step.row;
  } else if (text.starts_with(step.partnerPrefix)) {
    kind = step.partner;
  }
  const bool heldHere = m_held && (m_held->kind == step.row || m_held->kind == step.partner);
  if (heldHere && kind && *kind != m_held->kind) {
    const bool heldFirst = m_held->kind == step.row;
    const std::string& first = heldFirst ? m_held->text : text;
    const std::string& second = heldFirst ? text : m_held->text;
    const std::string separator = step.row == Kind::FirstRow ? separatorOf(s.get(Setting::BookSeparate)) : " ";
    std::string joined = first + separator + second;
    m_held.reset();
    out.record = finish(std::move(joined), s);
    return true;
  }
  if (kind) {
    // Only a row that is to wait needs the wait time; other records pass whatever it is.
    text::toInteger(s.get(Setting::SPCWeight));
    if (m_held) out.released = release(s);
    m_held = Held{std::move(text), nowMs, *kind};
    return true;
  }
  if (heldHere) out.released = release(s);
  return false;
}

std::optional<std::string> BookCodeConverter::takeExpired(std::int64_t nowMs, const settings::Settings& s) {
  const std::optional<std::int64_t> expiry = nextExpiry(s);
  if (!expiry || nowMs < *expiry) return std::nullopt;
  return release(s);
}

std::optional<std::int64_t> BookCodeConverter::nextExpiry(const settings::Settings& s) const {
  if (!m_held) return std::nullopt;
  const std::optional<std::int32_t> waitMs = text::parseInteger(s.get(Setting::SPCWeight));
  if (!waitMs) return std::nullopt;
  return m_held->storedMs + *waitMs + 1;  // a row is in time up to SPCWeight milliseconds inclusive
}

// What a joined or released row goes through: the steps that withhold nothing.
std::string BookCodeConverter::finish(std::string text, const settings::Settings& s) {
  if (!isMagazineWithoutAddOn(text, s)) return convertRows(std::move(text), s);
  m_dropNotes.push_back(std::string(kDroppedMagazine) + text);
  return {};
}

std::optional<std::string> BookCodeConverter::release(const settings::Settings& s) {
  std::string text = std::move(m_held->text);
  m_held.reset();
  if (!s.isOn(Setting::BookJAN1)) {
    m_dropNotes.push_back(std::string(kDroppedRow) + text);
    return std::nullopt;
  }
  text = finish(std::move(text), s);
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace orbelin::convert::book
