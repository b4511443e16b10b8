#include "convert/ean/EANRead.h"

#include <algorithm>
#include <vector>

#include "codec/Cp932.h"
#include "convert/ean/AiTableStore.h"
#include "convert/ean/Carrier.h"
#include "convert/ean/DigitalLink.h"
#include "convert/ean/DecodedFieldCheck.h"
#include "convert/ean/ElementString.h"
#include "convert/ean/Gs1Dictionary.h"
#include "convert/ean/Gs1FindingText.h"
#include "convert/ean/SqliteDatabase.h"
#include "text/Integers.h"

namespace orbelin::convert::ean {

namespace {

using settings::Setting;

constexpr std::size_t kListingAiChars = 4;
constexpr std::size_t kListingNameBytes = 30;

struct Options {
  bool showIdentifiers;  // EANSend not "2"
  bool bracketIdentifiers;
  bool leaveOutDeselected;
  bool sortBySetNo;
  bool insertDecimalPoint;
  bool convertDates;
  std::string separator;  // code page 932 bytes
  Gs1CheckMode checkMode;
};

// The character whose code the setting holds; "0" or empty: none.
std::string separatorOf(const std::string& setting) {
  if (setting.empty()) return {};
  const std::int32_t code = text::toInteger(setting);
  if (code < 0 || code > 0xFF) throw report::RuntimeFailure(text::kInvalidArgument);
  return code == 0 ? std::string{} : std::string(1, static_cast<char>(code));
}

Options optionsOf(const settings::Settings& s) {
  return Options{s.get(Setting::EANSend) != "2", s.get(Setting::EANSend) == "3", s.isOn(Setting::EANAISelect),
                 s.isOn(Setting::EANSort),        s.isOn(Setting::EANDecimal),     s.isOn(Setting::EANDate),
                 separatorOf(s.get(Setting::EANSeparate)), gs1CheckModeOf(s)};
}

// Byte offsets at which the characters of bytes begin, and the end.
std::vector<std::size_t> characterStarts(std::string_view bytes) {
  std::vector<std::size_t> starts;
  for (std::size_t pos = 0; pos < bytes.size(); pos += codec::charLengthAt(bytes, pos)) starts.push_back(pos);
  starts.push_back(bytes.size());
  return starts;
}

// bytes padded with blanks and cut to count characters.
std::string fitCharacters(std::string bytes, std::size_t count) {
  bytes.append(count, ' ');
  return bytes.substr(0, characterStarts(bytes)[count]);
}

struct Formatted {
  std::string value;
  std::string display;
};

Formatted formatDecimal(const std::string& aiText, const std::string& data) {
  Formatted result{data, {}};
  const char last = aiText.empty() ? '\0' : aiText.back();
  const std::vector<std::size_t> starts = characterStarts(data);
  const std::size_t length = starts.size() - 1;
  if (last >= '1' && last <= '9' && static_cast<std::size_t>(last - '0') <= length) {
    const std::size_t decimals = static_cast<std::size_t>(last - '0');
    const std::size_t point = starts[length - decimals];
    result.value = decimals == length ? "0." + data : data.substr(0, point) + "." + data.substr(point);
  }
  result.display = data + "  (" + result.value + ")";
  return result;
}

Formatted formatDate(const std::string& data) {
  Formatted result{data, {}};
  const std::vector<std::size_t> starts = characterStarts(data);
  if (starts.size() > 6) {
    auto piece = [&](std::size_t from) { return data.substr(starts[from], starts[from + 2] - starts[from]); };
    result.value = piece(0) + "/" + piece(2) + "/" + piece(4);
  }
  result.display = data + "  (" + result.value + ")";
  return result;
}

Formatted format(const AiRow& row, const FoundField& field, const Options& options) {
  if (row.mark == kMarkDecimal && options.insertDecimalPoint) return formatDecimal(field.aiText, field.data);
  if (row.mark == kMarkDate && options.convertDates) return formatDate(field.data);
  return {field.data, field.data};
}

// The fields to output, in output order.
std::vector<const FoundField*> outputOrder(const SplitElementString& split, const AiTable& table, bool bySetNo) {
  std::vector<const FoundField*> chosen;
  for (const FoundField& field : split.fields) chosen.push_back(&field);
  if (!bySetNo) {
    std::sort(chosen.begin(), chosen.end(), [](auto* a, auto* b) { return a->order < b->order; });
    return chosen;
  }
  // For each position 1 to rows + 1, the first found row in table order that has it,
  // with every field of that row in order of appearance.
  std::sort(chosen.begin(), chosen.end(), [&](auto* a, auto* b) {
    const int setA = table[a->row].setNo;
    const int setB = table[b->row].setNo;
    if (setA != setB) return setA < setB;
    return a->row != b->row ? a->row < b->row : a->order < b->order;
  });
  const auto lastPosition = static_cast<long>(table.size()) + 1;
  std::vector<const FoundField*> positioned;
  for (const FoundField* field : chosen) {
    const int setNo = table[field->row].setNo;
    if (setNo < 1 || setNo > lastPosition) continue;
    const FoundField* previous = positioned.empty() ? nullptr : positioned.back();
    if (previous != nullptr && table[previous->row].setNo == setNo && previous->row != field->row) continue;
    positioned.push_back(field);
  }
  return positioned;
}

// The name in listing form: padded with blanks to kListingNameBytes bytes and cut there,
// a double-byte character that would be cut giving a blank instead.
std::string listingName(const std::string& name) {
  std::string bytes = codec::toCp932(name);
  const std::vector<std::size_t> starts = characterStarts(bytes);
  const auto fits = std::upper_bound(starts.begin(), starts.end(), kListingNameBytes);
  bytes.resize(*(fits - 1));
  bytes.resize(kListingNameBytes, ' ');
  return codec::fromCp932(bytes);
}

// Every piece is turned back into text on its own, so that the bytes of two pieces never
// join into a character that the record did not hold.
std::string decode(std::string_view bytes, const AiTable& table, const Options& options, BarcodeInfoSink& monitor,
                   std::string* discarded, std::vector<std::string>* checkNotes) {
  const SplitElementString split = splitElementString(bytes, table);
  const DecodedFieldCheck check = checkDecodedFields(split, table, options.checkMode);
  const std::string separator = codec::fromCp932(options.separator);
  std::string output;
  std::string listing;
  for (const FoundField* field : outputOrder(split, table, options.sortBySetNo)) {
    const AiRow& row = table[field->row];
    const Formatted formatted = format(row, *field, options);
    listing += "【" + codec::fromCp932(fitCharacters(field->aiText, kListingAiChars)) + ":" + listingName(row.name) +
               "】" + codec::fromCp932(formatted.display) +
               check.marks(static_cast<std::size_t>(field - split.fields.data())) + "\r\n";
    if (row.out && options.showIdentifiers) {
      const std::string aiText = codec::fromCp932(field->aiText);
      output += options.bracketIdentifiers ? "(" + aiText + ")" : aiText;
    }
    if (row.out || !options.leaveOutDeselected) output += codec::fromCp932(formatted.value) + separator;
  }
  if (!separator.empty() && output.ends_with(separator)) output.resize(output.size() - separator.size());
  const std::string tail = codec::fromCp932(split.tail);
  if (!split.discarded.empty()) {
    const std::string dropped = codec::fromCp932(split.discarded);
    listing += std::string(kDiscardedListing) + dropped + "\r\n";
    if (discarded != nullptr) *discarded = dropped;
  }
  monitor.setBarcodeInfo(listing + tail);
  if (checkNotes != nullptr) *checkNotes = gs1CheckLogLines(check.findings, check.fields, check.blocked);
  return check.blocked ? std::string{} : output + tail;
}

// What the decoding makes of a record.
struct Route {
  enum class Kind { Unchanged, PassOn, Decode } kind = Kind::Unchanged;
  std::string text;  // PassOn: the record to pass on; Decode: the element string in code page 932
};

// The start code comes first, so that a record that begins with it is read as it always
// was, whatever the carrier settings.
Route routeOf(std::string_view record, const std::string& bytes, const settings::Settings& settings) {
  const std::string startCode = codec::toCp932(settings.get(Setting::EANStartCD));
  if (!startCode.empty() && bytes.starts_with(startCode)) return {Route::Kind::Decode, bytes.substr(startCode.size())};
  const Carrier carrier = carrierOf(record);
  const std::size_t identifier = carrier.identifier.size();
  if (settings.isOn(Setting::EANSymbology)) {
    if (carrier.content == CarrierContent::ElementString) return {Route::Kind::Decode, bytes.substr(identifier)};
    if (carrier.content == CarrierContent::Digits) return {Route::Kind::PassOn, std::string(record.substr(identifier))};
  }
  if (settings.isOn(Setting::EANDigitalLink) &&
      (carrier.content == CarrierContent::Unknown || carrier.content == CarrierContent::Text)) {
    const std::string_view uri = record.substr(identifier);
    // A line end after the URI stays the record's tail.
    const std::size_t end = uri.find_last_not_of("\r\n") + 1;
    if (auto elementString = digitalLinkElementString(uri.substr(0, end), gs1Dictionary())) {
      return {Route::Kind::Decode, *elementString + std::string(uri.substr(end))};
    }
  }
  return {};
}

template <class LoadTable>
std::string readRecord(std::string_view record, const settings::Settings& settings, LoadTable&& loadTable,
                       report::FailureReporter& reporter, BarcodeInfoSink& monitor, std::string* discarded,
                       std::vector<std::string>* checkNotes) {
  if (record.empty()) return {};
  try {
    Route route = routeOf(record, codec::toCp932(record), settings);
    if (route.kind == Route::Kind::Unchanged) return std::string(record);
    if (route.kind == Route::Kind::PassOn) return std::move(route.text);
    const AiTable& table = loadTable();
    monitor.setBarcodeInfo({});
    return decode(route.text, table, optionsOf(settings), monitor, discarded, checkNotes);
  } catch (const SqliteError& failure) {
    reporter.report("EANRead", kSqliteSource, failure.what());
  } catch (const std::exception& failure) {
    reporter.report("EANRead", failure);
  }
  return {};
}

}  // namespace

std::string EANRead(std::string_view record, const settings::Settings& settings,
                    const std::filesystem::path& database, report::FailureReporter& reporter,
                    BarcodeInfoSink& monitor, std::string* discarded,
                    std::vector<std::string>* checkNotes) {
  return readRecord(
      record, settings, [&] { return AiTableStore(database).readAll(); }, reporter, monitor, discarded, checkNotes);
}

std::string EANRead(std::string_view record, const settings::Settings& settings, AiTableCache& database,
                    report::FailureReporter& reporter, BarcodeInfoSink& monitor, std::string* discarded,
                    std::vector<std::string>* checkNotes) {
  return readRecord(
      record, settings, [&]() -> const AiTable& { return database.table(); }, reporter, monitor, discarded, checkNotes);
}

std::string EANRead(std::string_view record, const settings::Settings& settings, const AiTable& table,
                    report::FailureReporter& reporter, BarcodeInfoSink& monitor, std::string* discarded,
                    std::vector<std::string>* checkNotes) {
  return readRecord(
      record, settings, [&]() -> const AiTable& { return table; }, reporter, monitor, discarded, checkNotes);
}

}  // namespace orbelin::convert::ean
