// GS1-128 element strings from the figures of GS1's general standard, the GS1 Barcode
// Syntax Engine test data and constructed cases (data/gs1-ai-table.md names the table's
// sources), decoded with the delivered table, identifiers bracketed, decimal points and
// dates inserted. "<GS>" stands for byte 29.
#include <gtest/gtest.h>

#include "EanTestSupport.h"
#include "convert/ean/BuiltInAiTable.h"
#include "convert/ean/EANRead.h"
#include "support/Harness.h"

namespace orbelin::convert::ean {
namespace {

using settings::Setting;

struct Vector {
  const char* id;
  const char* record;
  const char* expected;
};

const Vector kVectors[] = {
    {"V01", "]C101950123456789033102000400", "(01)95012345678903(3102)0004.00"},
    // 8005 has a fixed length but is no predefined-length AI: the GS after the full field is dropped.
    {"V02", "]C18005000365<GS>10123456", "(8005)000365(10)123456"},
    {"V03", "]C102006141410004181521022810451214<GS>3720", "(02)00614141000418(15)21/02/28(10)451214(37)20"},
    // The decimal digit counts from the end of the whole field, currency code included.
    {"V04", "]C141554123456789083911710125", "(415)5412345678908(3911)71012.5"},
    {"V05", "]C1120104258020ABC123", "(12)01/04/25(8020)ABC123"},
    {"V06", "]C1253950110153006567890543210987", "(253)950110153006567890543210987"},
    {"V07", "]C10110857674002017101152KMB", "(01)10857674002017(10)1152KMB"},
    {"V08", "]C1403402621<GS>401950110153B01001", "(403)402621(401)950110153B01001"},
    {"V09", "]C100395011015300000011\r\n", "(00)395011015300000011\r\n"},
    {"V10", "]C1901528", "(90)1528"},
    {"V11", "]C125595011015340010123456789<GS>3900000", "(255)95011015340010123456789(3900)000"},
    {"V12", "]C12559501101534001<GS>171605313902050", "(255)9501101534001(17)16/05/31(3902)0.50"},
    {"V13", "]C12559501101534001012345<GS>81110500", "(255)9501101534001012345(8111)0500"},
    {"V14", "]C12559501101534001<GS>39410035", "(255)9501101534001(3941)003.5"},
    {"V15", "]C101095011015300031715011910AB-123\r", "(01)09501101530003(17)15/01/19(10)AB-123\r"},
    {"V16", "]C101095123456789011517081021abcde", "(01)09512345678901(15)17/08/10(21)abcde"},
    {"V17", "]C110ABCD123456<GS>4103898765432108", "(10)ABCD123456(410)3898765432108"},
    {"V18", "]C18018950110153123456781", "(8018)950110153123456781"},
    {"V19", "]C101906141410000153202000150", "(01)90614141000015(3202)0001.50"},
    // "3310" straddles the end of (01): fields are cut by length, not searched for.
    {"V20", "]C1011231231231233310ABC123<GS>99TESTING", "(01)12312312312333(10)ABC123(99)TESTING"},
    {"V21", "]C10112312312312333235XYZ<GS>10ABC", "(01)12312312312333(235)XYZ(10)ABC"},
    {"V22", "]C1010950110153000317010200", "(01)09501101530003(17)01/02/00"},
    {"V23", "]C101095011015300037006260115<GS>10AB-123", "(01)09501101530003(7006)26/01/15(10)AB-123"},
    {"V24", "]C1010950110153000370032612311430<GS>7007260101260131",
     "(01)09501101530003(7003)2612311430(7007)260101260131"},
    {"V25", "]C101095011015300037030380ABC123", "(01)09501101530003(7030)380ABC123"},
    {"V26", "]C101995011015300063103001250392299", "(01)99501101530006(3103)001.250(3922)0.99"},
    {"V27", "]C101995011015300063103001250392599", "(01)99501101530006(3103)001.250(3925)99"},
    // A repeated identifier keeps each of its values: joined they would be a value no
    // carrier held.
    {"V28", "]C1010950110153000310AB-123<GS>10AB-123", "(01)09501101530003(10)AB-123(10)AB-123"},
    {"V29", "]C101095011015300032112345<GS>2167890", "(01)09501101530003(21)12345(21)67890"},
    {"V30", "]C1010950110153000326ABC<GS>10AB-123", "(01)09501101530003(10)AB-123"},
    {"V31", "]C101095011015300031426123110AB-123", "(01)09501101530003"},
    {"V32", "]C1<GS>0109501101530003", "(01)09501101530003"},
    {"V33", "]C110ABCDEFGHIJKLMNOPQRSTU", "(10)ABCDEFGHIJKLMNOPQRST"},
    {"V34", "]C10109501101530003392", "(01)09501101530003(392)"},
    {"V35", "]E02112345678900", "]E02112345678900"},
    {"V36", "]d2011231231231233310ABC123<GS>99TESTING", "]d2011231231231233310ABC123<GS>99TESTING"},
    {"V37", "010950110153000310AB-123\r", "010950110153000310AB-123\r"},
};

class Gs1Vectors : public ::testing::TestWithParam<Vector> {};

TEST_P(Gs1Vectors, DecodeWithTheDeliveredTable) {
  settings::Settings s = test::bracketSettings();
  s.set(Setting::EANDecimal, "1");
  s.set(Setting::EANDate, "1");
  // The vectors are read with the start code alone (V35, V36); CarrierTest reads them
  // by their symbology identifiers.
  s.set(Setting::EANSymbology, "0");
  const Vector& vector = GetParam();
  EXPECT_EQ(test::readWithDeliveredTable(test::withSeparators(vector.record), s),
            test::withSeparators(vector.expected));
}

INSTANTIATE_TEST_SUITE_P(Records, Gs1Vectors, ::testing::ValuesIn(kVectors),
                         [](const auto& vector) { return std::string(vector.param.id); });

// V38: an identifier with two Plus characters, on a one-row table.
TEST(Gs1VectorsOwnTable, TwoPlusCharactersBelongToTheIdentifier) {
  test::Harness h;
  test::RecordingBarcodeInfo monitor;
  settings::Settings s = test::bracketSettings();
  s.set(Setting::EANDecimal, "1");
  const AiTable table{AiRow{"31", "MEASURE", 6, 2, kMarkDecimal, true, 1}};
  EXPECT_EQ(EANRead("]C13102001234", s, table, h.reporter, monitor), "(3102)0012.34");
}

TEST(Gs1VectorsListing, ShowsNamesAndFormattedValues) {
  test::Harness h;
  test::RecordingBarcodeInfo monitor;
  settings::Settings s = settings::Settings::defaults();
  s.set(Setting::EANDecimal, "1");
  s.set(Setting::EANDate, "1");
  s.set(Setting::EANSeparate, "124");
  EXPECT_EQ(EANRead(test::withSeparators("]C101095011015300031715011910AB-123\r"), s, builtInAiTable(), h.reporter, monitor),
            "0109501101530003|1715/01/19|10AB-123\r");
  EXPECT_EQ(monitor.shown(),
            "【01  :GTIN                          】09501101530003\r\n"
            "【17  :USE BY or EXPIRY              】150119  (15/01/19)\r\n"
            "【10  :BATCH/LOT                     】AB-123\r\n"
            "\r");
}

}  // namespace
}  // namespace orbelin::convert::ean
