// GS1 Digital Link URIs as QR and Data Matrix readers send them, to element strings
// ("<GS>" stands for byte 29) and through EANRead with the delivered tables.
#include <gtest/gtest.h>

#include <stdexcept>

#include "EanTestSupport.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/DigitalLink.h"
#include "convert/ean/EANRead.h"
#include "support/Harness.h"

namespace orbelin::convert::ean {
namespace {

using settings::Setting;

struct Uri {
  const char* name;
  const char* uri;
  const char* elementString;  // nullptr: no Digital Link URI
};

const Uri kUris[] = {
    {"KeyQualifierAttribute", "https://id.gs1.org/01/04912345123459/10/ABC?17=251231",
     "0104912345123459<GS>10ABC<GS>17251231"},
    {"PathPrefixBeforeTheKey", "https://shop.example.jp/item/detail/01/04912345123459/21/XYZ",
     "0104912345123459<GS>21XYZ"},
    {"EveryQualifierInOrder", "https://d.example/01/04912345123459/22/V1/10/L1/21/S1",
     "0104912345123459<GS>22V1<GS>10L1<GS>21S1"},
    {"SecondSequence", "https://d.example/01/04912345123459/235/T1", "0104912345123459<GS>235T1"},
    {"QualifiersOutOfOrder", "https://id.gs1.org/01/04912345123459/21/S1/10/L1", nullptr},
    {"SequencesMixed", "https://d.example/01/04912345123459/22/V1/235/T1", nullptr},
    {"QualifierOfAnotherKey", "https://d.example/01/04912345123459/254/A", nullptr},
    {"KeyWithoutQualifiers", "https://d.example/00/049123451234567890/10/ABC", nullptr},
    {"AttributesNonAiParametersFragment",
     "https://d.example/01/04912345123459?3103=000195&utm_source=qr&17=251231&flag#top",
     "0104912345123459<GS>3103000195<GS>17251231"},
    {"QualifierInQueryIgnored", "https://d.example/01/04912345123459?21=S1", "0104912345123459"},
    {"PercentEncoding", "https://d.example/01/04912345123459/10/AB%2F1%252?7002=%41%62",
     "0104912345123459<GS>10AB/1%2<GS>7002Ab"},
    {"PercentEncodedSeparator", "https://d.example/01/04912345123459/10/A%1DB", nullptr},
    {"PercentEncodingCut", "https://d.example/01/04912345123459/10/A%2", nullptr},
    {"PercentEncodingNotHex", "https://d.example/01/04912345123459/10/A%G1", nullptr},
    {"ShortGtinPadded", "https://d.example/01/4912345123459", "0104912345123459"},
    {"OtherKey", "http://d.example/414/4912345000019/254/A1", "4144912345000019<GS>254A1"},
    {"SchemeAndHostInCapitals", "HTTPS://ID.GS1.ORG/00/049123451234567890", "00049123451234567890"},
    {"AiTwice", "https://d.example/01/04912345123459/10/A?10=B", nullptr},
    {"EmptyValue", "https://d.example/01/04912345123459/10/", nullptr},
    {"EmptyAttributeValue", "https://d.example/01/04912345123459?17=", nullptr},
    {"OtherUrl", "https://www.example.com/index.html", nullptr},
    {"HostOnly", "https://www.example.com/", nullptr},
    {"NoHost", "https:///01/04912345123459", nullptr},
    {"OtherScheme", "ftp://d.example/01/04912345123459", nullptr},
    {"NotAUrl", "0104912345123459", nullptr},
    {"BlankInside", "https://d.example/01/04912345123459/10/A B", nullptr},
};

class DigitalLinkUris : public ::testing::TestWithParam<Uri> {};

TEST_P(DigitalLinkUris, BecomeTheirElementString) {
  const Uri& u = GetParam();
  const std::optional<std::string> found = digitalLinkElementString(u.uri, builtInDigitalLinkTable());
  if (u.elementString == nullptr) {
    EXPECT_FALSE(found.has_value()) << *found;
  } else {
    EXPECT_EQ(found.value_or("(none)"), test::withSeparators(u.elementString));
  }
}

INSTANTIATE_TEST_SUITE_P(Uris, DigitalLinkUris, ::testing::ValuesIn(kUris),
                         [](const auto& row) { return std::string(row.param.name); });

struct Scan {
  const char* name;
  const char* digitalLink;  // EANDigitalLink
  const char* record;
  const char* expected;
};

const Scan kScans[] = {
    {"Qr", "1", "]Q1https://id.gs1.org/01/04912345123459/10/ABC?17=251231", "(01)04912345123459(10)ABC(17)25/12/31"},
    {"DataMatrix", "1", "]d1https://id.gs1.org/01/04912345123459", "(01)04912345123459"},
    {"NoIdentifier", "1", "https://id.gs1.org/01/04912345123459/21/S1", "(01)04912345123459(21)S1"},
    {"LineEndStaysTail", "1", "https://id.gs1.org/01/04912345123459\r\n", "(01)04912345123459\r\n"},
    {"OutOfOrderPassesAsText", "1", "]Q1https://id.gs1.org/01/04912345123459/21/S1/10/L1",
     "]Q1https://id.gs1.org/01/04912345123459/21/S1/10/L1"},
    {"OtherUrlPasses", "1", "]Q1https://www.example.com/", "]Q1https://www.example.com/"},
    {"Off", "0", "https://id.gs1.org/01/04912345123459", "https://id.gs1.org/01/04912345123459"},
};

class DigitalLinkScans : public ::testing::TestWithParam<Scan> {};

TEST_P(DigitalLinkScans, AreFormattedLikeEveryGs1Record) {
  test::Harness h;
  test::RecordingBarcodeInfo monitor;
  settings::Settings s = test::bracketSettings();
  s.set(Setting::EANDate, "1");
  const Scan& scan = GetParam();
  s.set(Setting::EANDigitalLink, scan.digitalLink);
  EXPECT_EQ(EANRead(scan.record, s, builtInAiTable(), h.reporter, monitor), scan.expected);
  EXPECT_TRUE(h.transcript.lines().empty());
}

INSTANTIATE_TEST_SUITE_P(Scans, DigitalLinkScans, ::testing::ValuesIn(kScans),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DigitalLinkTable, TheDeliveredTableGivesTheKeysTheirQualifiers) {
  const DigitalLinkTable& table = builtInDigitalLinkTable();
  using Sequences = std::vector<std::vector<std::string>>;
  EXPECT_EQ(table.at("01").qualifierSequences, (Sequences{{"22", "10", "21"}, {"235"}}));
  EXPECT_EQ(table.at("414").qualifierSequences, (Sequences{{"254"}, {"7040"}}));
  EXPECT_TRUE(table.at("00").primaryKey);
  EXPECT_TRUE(table.at("3103").attribute);  // a range, one row per AI
  EXPECT_FALSE(table.at("10").primaryKey);
  EXPECT_EQ(table.count("21"), 0u);  // a qualifier only
}

TEST(DigitalLinkTable, ARowOfTheWrongFormIsRefusedWithItsLine) {
  const std::string header = std::string(kDigitalLinkCsvHeader) + "\n";
  for (const char* row : {"01,1,1", "01,2,1,", "10,1,0,21", ",1,0,", "01,1,1,\n01,1,1,"}) {
    EXPECT_THROW(parseDigitalLinkCsv(header + row), std::invalid_argument) << row;
  }
  EXPECT_THROW(parseDigitalLinkCsv("AI\n01,1,1,"), std::invalid_argument);
  EXPECT_EQ(parseDigitalLinkCsv(header + "8004,0,1,7040\r\n").at("8004"), (DigitalLinkRole{false, true, {{"7040"}}}));
}

}  // namespace
}  // namespace orbelin::convert::ean
