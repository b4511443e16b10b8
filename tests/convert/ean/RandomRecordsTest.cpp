// Random byte records, decoded as received records are, through the decoder and the book
// code conversion: nothing may crash, read outside its bytes (the sanitizer build checks
// that) or produce malformed text. The seeds are fixed, so a failure repeats.
#include <gtest/gtest.h>

#include <random>

#include "EanTestSupport.h"
#include "convert/book/BookCodeConverter.h"
#include "codec/Cp932.h"
#include "codec/Utf8.h"
#include "convert/ean/AiTableStore.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/EANRead.h"
#include "text/Integers.h"
#include "support/Harness.h"

namespace orbelin::convert {
namespace {

using settings::Setting;

constexpr int kRecordsPerSeed = 2500;
constexpr unsigned kSeeds[] = {1, 20260127, 873119038};

bool isWellFormedUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (codec::nextCodePoint(text, pos) == codec::kInvalidCodePoint) return false;
  }
  return true;
}

class RandomRecords {
 public:
  explicit RandomRecords(unsigned seed) : m_random(seed) {}

  int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }
  template <class T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
  }

  // Bytes that look like what readers send often enough to reach every branch: start codes,
  // identifiers, separators, line ends, double-byte lead bytes and book rows.
  std::string bytes(std::string out = {}) {
    static const char* const kPieces[] = {"]C1", "01", "10", "31", "3102", "17", "392", "90", "8005", "\x1D",
                                          "\r", "\n", "\r\n", "97", "F97", "19", "191", "491", "ISBN4",
                                          "ISBN978-4", "C", "\x82", "\x82\xA0", "\x81", "\xFC", "\x80", "\xA0"};
    const int pieces = below(24);
    for (int i = 0; i < pieces; ++i) {
      if (below(3) == 0) {
        out += pick(kPieces);
      } else {
        const int digits = 1 + below(14);
        for (int d = 0; d < digits; ++d) out += static_cast<char>(below(4) == 0 ? below(256) : '0' + below(10));
      }
    }
    return out;
  }

  void randomizeDecoding(settings::Settings& s) {
    static const char* const kSend[] = {"1", "2", "3"};
    static const char* const kSeparators[] = {"0", "", "44", "29", "13", "129", "255"};
    static const char* const kStartCodes[] = {"]C1", "]C1", "]C1", "1", "\x82\xA0"};
    s.set(Setting::EANSend, pick(kSend));
    s.set(Setting::EANSeparate, pick(kSeparators));
    s.set(Setting::EANStartCD, codec::fromCp932(pick(kStartCodes)));
    for (const Setting flag : {Setting::EANSort, Setting::EANAISelect, Setting::EANDate, Setting::EANDecimal}) {
      s.set(flag, below(2) == 0 ? "1" : "0");
    }
  }

  void randomizeBooks(settings::Settings& s) {
    static const char* const kModes[] = {"0", "1", "2", "3"};
    static const char* const kWaits[] = {"0", "50", "1500", "-5"};
    for (const Setting flag : {Setting::BookJAN, Setting::BookJAN1, Setting::AddOn, Setting::ISBN, Setting::ISBN13}) {
      s.set(flag, below(2) == 0 ? "1" : "0");
    }
    s.set(Setting::JAN2toISBN, pick(kModes));
    s.set(Setting::SPCWeight, pick(kWaits));
    s.set(Setting::BookSeparate, below(2) == 0 ? "0" : std::to_string(below(256)));
  }

 private:
  std::mt19937 m_random;
};

// A table with the awkward rows: no data, a one-character AI, a double-byte AI, two Plus
// characters, a repeated AI and positions out of range.
ean::AiTable awkwardTable() {
  ean::AiTable table = ean::builtInAiTable();
  table.push_back(ean::AiRow{"7", "ONE", 0, 0, 0, true, 0});
  table.push_back(ean::AiRow{codec::fromCp932("\x82\xA0"), "KANA", 3, 2, 1, false, -3});
  table.push_back(ean::AiRow{"01", "AGAIN", 2, 3, 2, true, 1000});
  table.push_back(ean::AiRow{"ZZ", "LONG", 1000, 1000, 1, true, 215});
  return table;
}

TEST(RandomRecords, DecoderTakesAnyBytes) {
  const ean::AiTable tables[] = {ean::builtInAiTable(), awkwardTable()};
  for (const unsigned seed : kSeeds) {
    RandomRecords random(seed);
    test::Harness h;
    test::RecordingBarcodeInfo monitor;
    settings::Settings s = settings::Settings::defaults();
    // The start code alone decides here; CarrierTest and the fuzz targets read the rest.
    s.set(Setting::EANSymbology, "0");
    s.set(Setting::EANDigitalLink, "0");
    int decoded = 0;
    for (int i = 0; i < kRecordsPerSeed; ++i) {
      random.randomizeDecoding(s);
      // Most records begin with the start code, so that most are decoded.
      const std::string start = random.below(4) == 0 ? std::string{} : codec::toCp932(s.get(Setting::EANStartCD));
      const std::string record = codec::fromCp932(random.bytes(start));
      const std::string out = ean::EANRead(record, s, tables[i % 2], h.reporter, monitor);
      ASSERT_TRUE(isWellFormedUtf8(out)) << seed << " " << i;
      ASSERT_TRUE(isWellFormedUtf8(monitor.shown())) << seed << " " << i;
      if (!codec::toCp932(record).starts_with(codec::toCp932(s.get(Setting::EANStartCD)))) {
        ASSERT_EQ(out, record) << seed << " " << i;
      } else {
        ++decoded;
      }
    }
    EXPECT_GT(decoded, kRecordsPerSeed / 2) << seed;
    EXPECT_TRUE(h.transcript.lines().empty()) << seed;
  }
}

TEST(RandomRecords, DecoderReadsTheDatabaseForEveryRecord) {
  test::Harness h;
  ean::AiTableStore(h.paths.database()).create(awkwardTable());
  RandomRecords random(7);
  test::RecordingBarcodeInfo monitor;
  settings::Settings s = settings::Settings::defaults();
  for (int i = 0; i < 300; ++i) {
    random.randomizeDecoding(s);
    const std::string record = "]C1" + codec::fromCp932(random.bytes());
    s.set(Setting::EANStartCD, "]C1");
    const std::string fromFile = ean::EANRead(record, s, h.paths.database(), h.reporter, monitor);
    ASSERT_EQ(fromFile, ean::EANRead(record, s, awkwardTable(), h.reporter, monitor)) << i;
  }
  EXPECT_TRUE(h.transcript.lines().empty());
}

TEST(RandomRecords, BookConversionTakesAnyText) {
  for (const unsigned seed : kSeeds) {
    RandomRecords random(seed);
    book::BookCodeConverter converter;
    settings::Settings s = settings::Settings::defaults();
    std::int64_t now = 0;
    int withheld = 0;
    int released = 0;
    for (int i = 0; i < kRecordsPerSeed; ++i) {
      random.randomizeBooks(s);
      now += random.below(2000);
      static const char* const kBookStarts[] = {"", "97", "F97", "19", "191", "491", "ISBN4", "ISBN978-4", "C"};
      const std::string record = codec::fromCp932(random.bytes(random.pick(kBookStarts)));
      const book::BookRecords out = converter.convert(record, s, now);
      ASSERT_TRUE(isWellFormedUtf8(out.record)) << seed << " " << i;
      ASSERT_TRUE(!out.released || (isWellFormedUtf8(*out.released) && !out.released->empty())) << seed << " " << i;
      withheld += converter.holding() ? 1 : 0;
      released += out.released ? 1 : 0;
      if (random.below(4) == 0) {
        const std::optional<std::string> expired = converter.takeExpired(now + random.below(3000), s);
        ASSERT_TRUE(!expired || isWellFormedUtf8(*expired)) << seed << " " << i;
      }
    }
    EXPECT_GT(withheld, kRecordsPerSeed / 10) << seed;
    EXPECT_GT(released, kRecordsPerSeed / 20) << seed;
  }
}

TEST(RandomRecords, BookConversionFailsOnlyForAWaitThatIsNoNumber) {
  RandomRecords random(11);
  book::BookCodeConverter converter;
  settings::Settings s = settings::Settings::defaults();
  for (int i = 0; i < 2000; ++i) {
    random.randomizeBooks(s);
    const bool badWait = random.below(8) == 0;
    if (badWait) s.set(Setting::SPCWeight, "x");
    const bool held = converter.holding();
    if (!badWait) {
      EXPECT_NO_THROW(converter.convert(codec::fromCp932(random.bytes()), s, i)) << i;
    } else if (held) {
      // The wait of the held row cannot be known: the row goes and the record fails.
      EXPECT_THROW(converter.convert(codec::fromCp932(random.bytes()), s, i), report::RuntimeFailure) << i;
      EXPECT_FALSE(converter.holding()) << i;
    } else {
      try {
        converter.convert(codec::fromCp932(random.bytes()), s, i);
      } catch (const report::RuntimeFailure&) {
        EXPECT_FALSE(converter.holding()) << i;
      }
    }
  }
}

}  // namespace
}  // namespace orbelin::convert
