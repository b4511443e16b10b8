// Records as readers send them with symbology identifiers on, decoded with the delivered
// table and identifiers bracketed. "<GS>" stands for byte 29.
#include <gtest/gtest.h>

#include "EanTestSupport.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/Carrier.h"
#include "convert/ean/EANRead.h"
#include "support/Harness.h"

namespace orbelin::convert::ean {
namespace {

using settings::Setting;

struct Transcript {
  const char* name;
  const char* symbology;  // EANSymbology
  const char* record;
  const char* expected;
};

const Transcript kTranscripts[] = {
    {"Gs1128", "1", "]C10104912345123459" "10ABC<GS>21XYZ", "(01)04912345123459(10)ABC(21)XYZ"},
    {"DataBar", "1", "]e00104912345123459", "(01)04912345123459"},
    // A prescription medicine's DataBar with its CC-A composite: expiry and lot.
    {"DataBarComposite", "1", "]e00114912345123456" "17271031" "10A12B3", "(01)14912345123456(17)271031(10)A12B3"},
    {"DataMatrix", "1", "]d2010491234512345910ABC<GS>21XYZ", "(01)04912345123459(10)ABC(21)XYZ"},
    {"DataMatrixNoSeparator", "1", "]d20104912345123459" "21XYZ", "(01)04912345123459(21)XYZ"},
    {"QrCode", "1", "]Q30104912345123459" "10L1<GS>17251231", "(01)04912345123459(10)L1(17)251231"},
    {"QrCodeNoSeparator", "1", "]Q3" "0104912345123459" "17251231", "(01)04912345123459(17)251231"},
    {"DotCode", "1", "]J10104912345123459" "21S1<GS>10L1", "(01)04912345123459(21)S1(10)L1"},
    {"DotCodeNoSeparator", "1", "]J1" "00049123451234567890", "(00)049123451234567890"},
    // The GS after a field that has its full length ends no second field.
    {"FixedFieldThenSeparator", "1", "]d20104912345123459<GS>10ABC", "(01)04912345123459(10)ABC"},
    {"TrailingSeparator", "1", "]Q310ABC<GS>", "(10)ABC"},
    {"LineEndStaysTail", "1", "]d210ABC\r\n", "(10)ABC\r\n"},
    {"Jan", "1", "]E04912345678904", "4912345678904"},
    {"JanWithAddOn", "1", "]E3491234567890412", "491234567890412"},
    {"Ean8", "1", "]E449123457", "49123457"},
    {"Itf14", "1", "]I114912345678901", "14912345678901"},
    {"PlainQrCode", "1", "]Q1hello", "]Q1hello"},
    {"UnknownIdentifier", "1", "]A0ABC", "]A0ABC"},
    {"NoIdentifier", "1", "010491234512345910ABC", "010491234512345910ABC"},
    // Off: only the start code is decoded, as before.
    {"OffDataMatrix", "0", "]d2010491234512345910ABC", "]d2010491234512345910ABC"},
    {"OffJan", "0", "]E04912345678904", "]E04912345678904"},
    {"OffStartCode", "0", "]C110ABC", "(10)ABC"},
};

class Carriers : public ::testing::TestWithParam<Transcript> {};

TEST_P(Carriers, DecodeWhatTheReaderSent) {
  settings::Settings s = test::bracketSettings();
  const Transcript& t = GetParam();
  s.set(Setting::EANSymbology, t.symbology);
  EXPECT_EQ(test::readWithDeliveredTable(test::withSeparators(t.record), s), t.expected);
}

INSTANTIATE_TEST_SUITE_P(Transcripts, Carriers, ::testing::ValuesIn(kTranscripts),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CarrierStartCode, TheStartCodeKeepsItsMeaningBesideTheCarriers) {
  test::Harness h;
  test::RecordingBarcodeInfo monitor;
  settings::Settings s = test::bracketSettings();
  s.set(Setting::EANStartCD, "]E0");
  EXPECT_EQ(EANRead("]E01012345", s, builtInAiTable(), h.reporter, monitor), "(10)12345");
  EXPECT_EQ(EANRead("]C110ABC", s, builtInAiTable(), h.reporter, monitor), "(10)ABC");
}

TEST(CarrierOf, NamesNoCarrierForAShortOrForeignPrefix) {
  EXPECT_EQ(carrierOf("]e").content, CarrierContent::Unknown);
  EXPECT_EQ(carrierOf("]E1123").content, CarrierContent::Unknown);
  EXPECT_EQ(carrierOf("]d1x").content, CarrierContent::Text);
  EXPECT_EQ(carrierOf("]d1x").identifier, "]d1");
}

}  // namespace
}  // namespace orbelin::convert::ean
