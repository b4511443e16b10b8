#include <gtest/gtest.h>

#include "convert/ean/Gs1Linters.h"

namespace orbelin::convert::ean {
namespace {

using L = Gs1Linter;

struct LintCase {
  const char* name;
  Gs1Linter linter;
  const char* good;
  const char* bad;
};

class Gs1Lint : public testing::TestWithParam<LintCase> {};

TEST_P(Gs1Lint, PassesTheGoodValueAndFailsTheBadOne) {
  const LintCase& c = GetParam();
  EXPECT_TRUE(gs1LintPasses(c.linter, c.good)) << c.good;
  EXPECT_FALSE(gs1LintPasses(c.linter, c.bad)) << c.bad;
  EXPECT_FALSE(gs1LintPasses(c.linter, "")) << "empty";
}

INSTANTIATE_TEST_SUITE_P(
    Table, Gs1Lint,
    testing::Values(
        LintCase{"csum", L::Csum, "09501101530003", "09501101530004"},
        LintCase{"csumalpha", L::CsumAlpha, "1987654Ad4X4bL5ttr2310c2K", "1987654Ad4X4bL5ttr2310c2L"},
        LintCase{"csetnumeric", L::CsetNumeric, "0123", "01A3"},
        LintCase{"cset82", L::Cset82, "AB-12_x%/?", "AB 12"},
        LintCase{"cset39", L::Cset39, "AB-12#/", "ab"},
        LintCase{"cset64", L::Cset64, "AZaz09-_==", "AB+/"},
        LintCase{"hasnondigit", L::HasNonDigit, "12A", "123"},
        LintCase{"nonzero", L::NonZero, "0010", "0000"},
        LintCase{"zero", L::Zero, "0", "1"},
        LintCase{"nozeroprefix", L::NoZeroPrefix, "100", "012"},
        LintCase{"hyphen", L::Hyphen, "-", "0"},
        LintCase{"yesno", L::YesNo, "1", "2"},
        LintCase{"winding", L::Winding, "9", "2"},
        LintCase{"iso5218", L::Iso5218, "2", "3"},
        LintCase{"yymmddLeapDay", L::Yymmdd, "240229", "230229"},
        LintCase{"yymmddDayZero", L::Yymmdd, "250131", "250100"},
        LintCase{"yymmd0", L::Yymmd0, "250200", "251332"},
        LintCase{"yyyymmdd", L::Yyyymmdd, "20240229", "20230229"},
        LintCase{"yyyymmd0", L::Yyyymmd0, "20250100", "20251301"},
        LintCase{"hh", L::Hh, "23", "24"},
        LintCase{"mi", L::Mi, "59", "60"},
        LintCase{"ss", L::Ss, "00", "60"},
        LintCase{"hhmi", L::Hhmi, "2359", "2360"},
        LintCase{"iso3166", L::Iso3166, "392", "999"},
        LintCase{"iso3166999", L::Iso3166999, "999", "998"},
        LintCase{"iso3166alpha2", L::Iso3166Alpha2, "JP", "XX"},
        LintCase{"iso4217", L::Iso4217, "392", "393"},
        LintCase{"iban", L::Iban, "GB82WEST12345698765432", "GB82WEST12345698765433"},
        LintCase{"latitude", L::Latitude, "1800000000", "1800000001"},
        LintCase{"longitude", L::Longitude, "3600000000", "3600000001"},
        LintCase{"pieceoftotal", L::PieceOfTotal, "0102", "0201"},
        LintCase{"posinseqslash", L::PosInSeqSlash, "1/2", "3/2"},
        LintCase{"pcenc", L::Pcenc, "A%20B", "A%2"},
        LintCase{"importeridx", L::ImporterIdx, "a", "+"},
        LintCase{"mediatype", L::MediaType, "80", "11"},
        LintCase{"packagetype", L::PackageType, "BX", "XYZ"},
        LintCase{"packagetypeGs1Addition", L::PackageType, "200", "2"},
        LintCase{"couponcode", L::CouponCode, "0123456123456151101233251231", "0123456123456151101233251331"},
        LintCase{"couponcodeFieldsInOrder", L::CouponCode, "01234561234561511012332512314251231",
                 "01234561234561511012342512313251231"},
        LintCase{"couponposoffer", L::CouponPosOffer, "101234561234560123456", "1012345612345601234569"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Gs1Lint, EveryNameTheDictionaryUsesIsKnown) {
  for (const char* name : {"csum", "gcppos2", "key", "keyoff1", "yymmd0", "iso3166999", "couponposoffer"}) {
    EXPECT_TRUE(gs1LinterNamed(name).has_value()) << name;
  }
  EXPECT_FALSE(gs1LinterNamed("checksum").has_value());
}

}  // namespace
}  // namespace orbelin::convert::ean
