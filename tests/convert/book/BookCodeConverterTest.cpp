#include <gtest/gtest.h>

#include "convert/book/BookCodeConverter.h"
#include "text/Integers.h"
#include "platform/sim/SimClock.h"

namespace orbelin::convert::book {
namespace {

using settings::Setting;

constexpr const char* kFirstRow = "9784873119038";
constexpr const char* kSecondRow = "1920055024004";
constexpr const char* kOtherFirstRow = "9784101010014";

struct BookCodeConverterTest : ::testing::Test {
  BookCodeConverter converter;
  platform::sim::SimClock clock;
  settings::Settings s = settings::Settings::defaults();

  BookRecords convert(std::string_view text) { return converter.convert(text, s, clock.monotonicMs()); }
  static BookRecords passes(std::string record) { return BookRecords{std::nullopt, std::move(record)}; }
  static BookRecords withheld() { return BookRecords{}; }
  static BookRecords released(std::string row, std::string record = {}) {
    return BookRecords{std::move(row), std::move(record)};
  }
};

TEST_F(BookCodeConverterTest, RecordsPassUnchangedWithEverythingOff) {
  EXPECT_EQ(convert(kSecondRow), passes(kSecondRow));
  EXPECT_EQ(convert("ISBN4-87311-903-0\r\n"), passes("ISBN4-87311-903-0\r\n"));
  EXPECT_EQ(convert(""), withheld());
}

TEST_F(BookCodeConverterTest, ConvertsBookRowsToTheJapaneseBookCode) {
  s.set(Setting::JAN2toISBN, "3");
  EXPECT_EQ(convert("9784873119038\r\n1920055024004"), passes("ISBN4-87311-903-0 C0055 \\2400E\r\n"));
  EXPECT_EQ(convert(kFirstRow), passes(kFirstRow));
  s.set(Setting::JAN2toISBN, "1");
  EXPECT_EQ(convert("9784101010014"), passes("ISBN4-10-101001-3\r\n"));
  s.set(Setting::JAN2toISBN, "2");
  EXPECT_EQ(convert("1910055000000"), passes("C0055 P00000E\r\n"));
}

TEST_F(BookCodeConverterTest, AddOnDropsAMagazineCodeWithoutItsAddOn) {
  s.set(Setting::AddOn, "1");
  EXPECT_EQ(convert("4910123456789"), withheld());
  EXPECT_EQ(convert("49101234567891234"), withheld());  // 17 characters
  EXPECT_EQ(convert("491012345678912345"), passes("491012345678912345"));
  EXPECT_EQ(convert("491012345678"), passes("491012345678"));
}

struct BookRowsTest : BookCodeConverterTest {
  BookRowsTest() { s.set(Setting::BookJAN, "1"); }
};

TEST_F(BookRowsTest, BothRowsInOneRecordPass) {
  EXPECT_EQ(convert("9784873119038\r\n1920055024004\r\n"), passes("9784873119038\r\n1920055024004\r\n"));
  EXPECT_FALSE(converter.holding());
}

TEST_F(BookRowsTest, ALoneRowIsWithheldAndJoinedWithItsPartnerFirstRowFirst) {
  EXPECT_EQ(convert("9784873119038\r\n"), withheld());
  EXPECT_TRUE(converter.holding());
  clock.advance(800);
  EXPECT_EQ(convert("1920055024004\r\n"), passes("97848731190381920055024004\r\n"));
  EXPECT_FALSE(converter.holding());

  EXPECT_EQ(convert("1920055024004\r\n"), withheld());
  EXPECT_EQ(convert("9784873119038\r\n"), passes("97848731190381920055024004\r\n"));
}

TEST_F(BookRowsTest, TheSeparatorGoesBetweenTheRows) {
  s.set(Setting::BookSeparate, "44");
  convert(kSecondRow);
  EXPECT_EQ(convert("F9784873119038\r"), passes("F9784873119038,1920055024004"));
  s.set(Setting::BookSeparate, "9");
  convert(kFirstRow);
  EXPECT_EQ(convert(kSecondRow), passes("9784873119038\t1920055024004"));
}

TEST_F(BookRowsTest, TheJoinedRecordIsConvertedToTheBookCode) {
  s.set(Setting::JAN2toISBN, "3");
  s.set(Setting::BookSeparate, "32");
  EXPECT_EQ(convert("1920055024004\r\n"), withheld());
  EXPECT_EQ(convert("9784873119038\r\n"), passes("ISBN4-87311-903-0 C0055 \\2400E\r\n"));
}

TEST_F(BookRowsTest, ARowWaitsSPCWeightMillisecondsAndNoLonger) {
  convert(kFirstRow);
  clock.advance(1500);
  EXPECT_EQ(convert(kSecondRow), passes("97848731190381920055024004"));

  convert(kFirstRow);
  clock.advance(1501);
  EXPECT_EQ(convert(kSecondRow), withheld());  // the first row was dropped; the second waits now
  s.set(Setting::BookJAN1, "1");
  clock.advance(1501);
  EXPECT_EQ(convert(kFirstRow), released(kSecondRow));
}

TEST_F(BookRowsTest, TheTimerReleasesAnExpiredRowOnlyWhenSingleRowsAreAllowed) {
  s.set(Setting::BookJAN1, "1");
  convert(kFirstRow);
  EXPECT_EQ(converter.takeExpired(clock.monotonicMs() + 1500, s), std::nullopt);
  EXPECT_TRUE(converter.holding());
  EXPECT_EQ(converter.takeExpired(clock.monotonicMs() + 1501, s), kFirstRow);
  EXPECT_FALSE(converter.holding());

  s.set(Setting::BookJAN1, "0");
  convert(kFirstRow);
  EXPECT_EQ(converter.takeExpired(clock.monotonicMs() + 1501, s), std::nullopt);
  EXPECT_FALSE(converter.holding());
}

TEST_F(BookRowsTest, TheNextExpiryIsTheFirstMillisecondPastTheWait) {
  EXPECT_EQ(converter.nextExpiry(s), std::nullopt);
  clock.advance(200);
  convert(kFirstRow);
  EXPECT_EQ(converter.nextExpiry(s), 200 + 1500 + 1);
  EXPECT_EQ(converter.takeExpired(1700, s), std::nullopt);
  EXPECT_TRUE(converter.holding());
  EXPECT_EQ(converter.takeExpired(1701, s), std::nullopt);  // dropped: BookJAN1 is "0"
  EXPECT_FALSE(converter.holding());
  EXPECT_EQ(converter.nextExpiry(s), std::nullopt);
}

TEST_F(BookRowsTest, AReleasedRowIsConvertedOnItsOwn) {
  s.set(Setting::BookJAN1, "1");
  s.set(Setting::JAN2toISBN, "1");
  convert(kOtherFirstRow);
  EXPECT_EQ(converter.takeExpired(5000, s), "ISBN4-10-101001-3\r\n");
}

TEST_F(BookRowsTest, ARowOfTheSameKindDisplacesTheHeldOne) {
  convert(kFirstRow);
  EXPECT_EQ(convert(kOtherFirstRow), withheld());
  EXPECT_EQ(convert(kSecondRow), passes("97841010100141920055024004"));

  s.set(Setting::BookJAN1, "1");
  convert(kSecondRow);
  EXPECT_EQ(convert("1910055000000"), released(kSecondRow));
  EXPECT_EQ(convert(kFirstRow), passes("97848731190381910055000000"));
}

TEST_F(BookRowsTest, ARecordThatIsNoBookRowDisplacesTheHeldRowAndPasses) {
  convert(kFirstRow);
  EXPECT_EQ(convert("HELLO\r\n"), passes("HELLO\r\n"));
  EXPECT_FALSE(converter.holding());

  s.set(Setting::BookJAN1, "1");
  convert(kFirstRow);
  EXPECT_EQ(convert("HELLO\r\n"), released(kFirstRow, "HELLO\r\n"));
  convert(kSecondRow);
  EXPECT_EQ(convert("9784873119038\r\n1920055024004"), released(kSecondRow, "9784873119038\r\n1920055024004"));
}

// A first row is only a lone row when shorter than 26 characters once its line ends are gone.
TEST_F(BookRowsTest, LineEndsAreRemovedFromAShortFirstRowOnly) {
  EXPECT_EQ(convert("978487311903812345678901\r\n"), passes("978487311903812345678901\r\n"));
  EXPECT_EQ(convert("97848731190381234567890\r\n"), withheld());
  EXPECT_EQ(convert(kSecondRow), passes("978487311903812345678901920055024004"));
}

TEST_F(BookRowsTest, AWaitThatIsNoNumberFailsOnlyTheRowsThatWouldWait) {
  s.set(Setting::SPCWeight, "x");
  EXPECT_EQ(convert("HELLO"), passes("HELLO"));
  try {
    convert(kSecondRow);
    FAIL() << "no failure";
  } catch (const report::RuntimeFailure& failure) {
    EXPECT_STREQ(failure.what(), text::kTypeMismatch);
  }
  EXPECT_FALSE(converter.holding());
  EXPECT_EQ(convert("HELLO"), passes("HELLO"));
}

TEST_F(BookRowsTest, AHeldRowIsDroppedWithTheRecordThatFindsTheWaitNoNumber) {
  convert(kFirstRow);
  s.set(Setting::SPCWeight, "x");
  EXPECT_THROW(convert("HELLO"), report::RuntimeFailure);
  EXPECT_FALSE(converter.holding());
  EXPECT_EQ(converter.takeDropNotes(), (std::vector<std::string>{std::string("[破棄] 組になるデータが来ませんでした: ") + kFirstRow}));
  EXPECT_EQ(convert("HELLO"), passes("HELLO"));
}

TEST_F(BookRowsTest, TheTimerKeepsARowWhileTheWaitIsNoNumber) {
  convert(kFirstRow);
  s.set(Setting::SPCWeight, "");
  EXPECT_EQ(converter.takeExpired(100000, s), std::nullopt);
  EXPECT_EQ(converter.nextExpiry(s), std::nullopt);
  EXPECT_TRUE(converter.holding());
}

struct IsbnTextTest : BookCodeConverterTest {};

TEST_F(IsbnTextTest, AnIsbnTextAndAClassificationTextAreJoinedIsbnFirst) {
  s.set(Setting::ISBN, "1");
  EXPECT_EQ(convert("ISBN4-87311-903-0\r\n"), withheld());
  EXPECT_EQ(convert("C0055 \\2400E\r\n"), passes("ISBN4-87311-903-0 C0055 \\2400E\r\n"));
  EXPECT_EQ(convert("C0055 \\2400E"), withheld());
  EXPECT_EQ(convert("ISBN4-87311-903-0"), passes("ISBN4-87311-903-0 C0055 \\2400E"));
}

TEST_F(IsbnTextTest, ThirteenDigitIsbnTexts) {
  s.set(Setting::ISBN13, "1");
  EXPECT_EQ(convert("ISBN978-4-87311-903-8\r"), withheld());
  EXPECT_EQ(convert("C0055"), passes("ISBN978-4-87311-903-8 C0055"));
  EXPECT_EQ(convert("ISBN4-87311-903-0"), passes("ISBN4-87311-903-0"));  // a ten-digit text is not its row
  s.set(Setting::ISBN, "1");
  EXPECT_EQ(convert("ISBN4-87311-903-0"), withheld());
  EXPECT_EQ(convert("C0055"), passes("ISBN4-87311-903-0 C0055"));
}

TEST_F(IsbnTextTest, AFullTextPassesAndDisplacesTheHeldOne) {
  s.set(Setting::ISBN, "1");
  s.set(Setting::BookJAN1, "1");
  convert("C0055 \\2400E");
  EXPECT_EQ(convert("ISBN4-87311-903-0 C0055 \\2400E"),
            released("C0055 \\2400E", "ISBN4-87311-903-0 C0055 \\2400E"));
  convert("C0055 \\2400E");
  EXPECT_EQ(convert("C3040 \\1000E"), released("C0055 \\2400E"));
}

TEST_F(IsbnTextTest, AMagazineCodeDroppedByAddOnLeavesTheHeldTextWaiting) {
  s.set(Setting::ISBN, "1");
  s.set(Setting::AddOn, "1");
  convert("ISBN4-87311-903-0");
  EXPECT_EQ(convert("4910123456789"), withheld());
  EXPECT_EQ(convert("C0055"), passes("ISBN4-87311-903-0 C0055"));
}

TEST_F(IsbnTextTest, ABookRowAndAnIsbnTextDoNotPair) {
  s.set(Setting::BookJAN, "1");
  s.set(Setting::ISBN, "1");
  s.set(Setting::BookJAN1, "1");
  convert(kFirstRow);
  EXPECT_EQ(convert("C0055"), released(kFirstRow));
  EXPECT_EQ(convert(kSecondRow), released("C0055"));
  EXPECT_EQ(convert(kFirstRow), passes("97848731190381920055024004"));
}

}  // namespace
}  // namespace orbelin::convert::book
