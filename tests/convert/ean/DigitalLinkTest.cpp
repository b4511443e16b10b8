// GS1 Digital Link URIs as QR and Data Matrix readers send them, to element strings
// ("<GS>" stands for byte 29) and through EANRead with the delivered table and dictionary.
#include <gtest/gtest.h>

#include <stdexcept>

#include "EanTestSupport.h"
#include "convert/ean/DigitalLink.h"
#include "convert/ean/Gs1Dictionary.h"

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
  const std::optional<std::string> found = digitalLinkElementString(u.uri, gs1Dictionary());
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
  settings::Settings s = test::bracketSettings();
  s.set(Setting::EANDate, "1");
  const Scan& scan = GetParam();
  s.set(Setting::EANDigitalLink, scan.digitalLink);
  EXPECT_EQ(test::readWithDeliveredTable(scan.record, s), scan.expected);
}

INSTANTIATE_TEST_SUITE_P(Scans, DigitalLinkScans, ::testing::ValuesIn(kScans),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DigitalLinkRoles, TheDictionaryGivesTheKeysTheirQualifiers) {
  const Gs1Dictionary& dictionary = gs1Dictionary();
  using Sequences = std::vector<std::vector<std::string>>;
  EXPECT_EQ(dictionary.find("01")->qualifierSequences, (Sequences{{"22", "10", "21"}, {"235"}}));
  EXPECT_EQ(dictionary.find("414")->qualifierSequences, (Sequences{{"254"}, {"7040"}}));
  EXPECT_TRUE(dictionary.find("00")->primaryKey);
  EXPECT_TRUE(dictionary.find("3103")->dataAttribute);  // a range, one set of rules per AI
  EXPECT_FALSE(dictionary.find("10")->primaryKey);
  const Gs1AiRules* serial = dictionary.find("21");  // a qualifier only
  EXPECT_TRUE(serial->qualifier);
  EXPECT_FALSE(serial->primaryKey || serial->dataAttribute);
}

TEST(DigitalLinkRoles, AKeyOfTheWrongFormIsRefusedWithItsLine) {
  for (const char* text : {"3100-3105 ? N6 dlpkey", "8004 ? X..30 dlpkey=7040", "8004 ? X..30 dlpkey=",
                           "10 ? X..20\n10 ? X..20"}) {
    try {
      Gs1Dictionary dictionary(text);
      ADD_FAILURE() << "read: " << text;
    } catch (const std::invalid_argument& failure) {
      EXPECT_NE(std::string_view(failure.what()).find(std::string_view(text).substr(0, 2)), std::string_view::npos)
          << failure.what();
    }
  }
  const Gs1Dictionary dictionary("7040 X4\n8004 X..30 dlpkey=7040\r\n");
  const Gs1AiRules* key = dictionary.find("8004");
  EXPECT_FALSE(key->dataAttribute);
  EXPECT_TRUE(key->primaryKey);
  EXPECT_EQ(key->qualifierSequences, (std::vector<std::vector<std::string>>{{"7040"}}));
  EXPECT_TRUE(dictionary.find("7040")->qualifier);
}

}  // namespace
}  // namespace orbelin::convert::ean
