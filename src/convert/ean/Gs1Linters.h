#pragma once

#include <optional>
#include <string_view>

namespace orbelin::convert::ean {

/// The content checks that the GS1 Barcode Syntax Dictionary names for a component
/// (data/gs1-syntax-dictionary.txt; each is the name written after a component's type).
enum class Gs1Linter {
  Csum, CsumAlpha, CsetNumeric, Cset82, Cset39, Cset64, HasNonDigit, NonZero, Zero, NoZeroPrefix, Hyphen,
  YesNo, Winding, Iso5218, Yymmdd, Yymmd0, Yyyymmdd, Yyyymmd0, Hh, Mi, Ss, Hhmi, Iso3166, Iso3166999,
  Iso3166Alpha2, Iso4217, Iban, Latitude, Longitude, PieceOfTotal, PosInSeqSlash, Pcenc, CompanyPrefix,
  ImporterIdx, MediaType, PackageType, CouponCode, CouponPosOffer,
};

/// The check a dictionary name stands for; nothing for a name it does not know.
std::optional<Gs1Linter> gs1LinterNamed(std::string_view name);

/// Whether value passes the check. The company prefix checks need GS1's prefix list,
/// which the program does not carry, so they pass.
bool gs1LintPasses(Gs1Linter linter, std::string_view value);

/// Whether every character of value belongs to GS1 character set 82, 39 or 64 (the
/// component types X, Y and Z; N takes digits).
bool inGs1CharacterSet(char type, std::string_view value);

/// Whether value passes the North American coupon code checks of AIs 8110 (offer) and
/// 8112 (paperless offer).
bool couponCodePasses(std::string_view value);
bool couponPosOfferPasses(std::string_view value);

}  // namespace orbelin::convert::ean
