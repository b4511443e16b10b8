#include "convert/ean/Gs1Linters.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "convert/ean/Gs1CodeLists.h"

namespace orbelin::convert::ean {

namespace {

using L = Gs1Linter;

constexpr std::array<std::pair<std::string_view, Gs1Linter>, 41> kNames{{
    {"csum", L::Csum}, {"csumalpha", L::CsumAlpha}, {"csetnumeric", L::CsetNumeric}, {"cset82", L::Cset82},
    {"cset39", L::Cset39}, {"cset64", L::Cset64}, {"hasnondigit", L::HasNonDigit}, {"nonzero", L::NonZero},
    {"zero", L::Zero}, {"nozeroprefix", L::NoZeroPrefix}, {"hyphen", L::Hyphen}, {"yesno", L::YesNo},
    {"winding", L::Winding}, {"iso5218", L::Iso5218}, {"yymmdd", L::Yymmdd}, {"yymmd0", L::Yymmd0},
    {"yyyymmdd", L::Yyyymmdd}, {"yyyymmd0", L::Yyyymmd0}, {"hh", L::Hh}, {"mi", L::Mi}, {"ss", L::Ss},
    {"hhmi", L::Hhmi}, {"iso3166", L::Iso3166}, {"iso3166999", L::Iso3166999},
    {"iso3166alpha2", L::Iso3166Alpha2}, {"iso4217", L::Iso4217}, {"iban", L::Iban}, {"latitude", L::Latitude},
    {"longitude", L::Longitude}, {"pieceoftotal", L::PieceOfTotal}, {"posinseqslash", L::PosInSeqSlash},
    {"pcenc", L::Pcenc}, {"gcppos1", L::CompanyPrefix}, {"gcppos2", L::CompanyPrefix}, {"key", L::CompanyPrefix},
    {"keyoff1", L::CompanyPrefix}, {"importeridx", L::ImporterIdx}, {"mediatype", L::MediaType},
    {"packagetype", L::PackageType}, {"couponcode", L::CouponCode}, {"couponposoffer", L::CouponPosOffer},
}};

// GS1 character set 82 in the order that gives each character its value in the
// alphanumeric check pair.
constexpr std::string_view kCset82 =
    "!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kCset39 = "#-/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kCset64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr std::string_view kCset32 = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr std::string_view kImporterIndex = "-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool allDigits(std::string_view value) { return !value.empty() && std::all_of(value.begin(), value.end(), isDigit); }
bool allIn(std::string_view value, std::string_view set) {
  return std::all_of(value.begin(), value.end(), [set](char ch) { return set.find(ch) != std::string_view::npos; });
}

// The number the digits stand for; they are checked to be digits first, and few enough
// that it fits.
std::uint64_t number(std::string_view digits) {
  std::uint64_t value = 0;
  for (char ch : digits) value = value * 10 + static_cast<std::uint64_t>(ch - '0');
  return value;
}

bool numberIn(std::string_view value, std::size_t length, std::uint64_t low, std::uint64_t high) {
  if (value.size() != length || !allDigits(value)) return false;
  const std::uint64_t n = number(value);
  return n >= low && n <= high;
}

bool checkDigitPasses(std::string_view value) {
  if (value.size() < 2 || !allDigits(value)) return false;
  unsigned sum = 0;
  bool three = true;
  for (std::size_t i = value.size() - 1; i-- > 0; three = !three) {
    sum += (three ? 3U : 1U) * static_cast<unsigned>(value[i] - '0');
  }
  return static_cast<unsigned>(value.back() - '0') == (10 - sum % 10) % 10;
}

// The weights are the primes, the smallest for the character next to the check pair.
bool checkPairPasses(std::string_view value) {
  constexpr std::array<unsigned, 23> kPrimes{2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37,
                                             41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83};
  if (value.size() < 3 || value.size() - 2 > kPrimes.size() || !allIn(value, kCset82)) return false;
  const std::size_t body = value.size() - 2;
  unsigned sum = 0;
  for (std::size_t i = 0; i < body; ++i) sum += static_cast<unsigned>(kCset82.find(value[i])) * kPrimes[body - 1 - i];
  sum %= 1021;
  return value[body] == kCset32[sum >> 5] && value[body + 1] == kCset32[sum & 31];
}

bool leapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// A two-digit year is taken in the years 2000 to 2099, which holds the same leap years
// as GS1's sliding century window until 2050.
bool datePasses(std::string_view value, std::size_t yearDigits, bool dayZero) {
  if (value.size() != yearDigits + 4 || !allDigits(value)) return false;
  const auto year = static_cast<unsigned>(number(value.substr(0, yearDigits))) + (yearDigits == 2 ? 2000U : 0U);
  const auto month = static_cast<unsigned>(number(value.substr(yearDigits, 2)));
  const auto day = static_cast<unsigned>(number(value.substr(yearDigits + 2, 2)));
  constexpr std::array<unsigned, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return false;
  if (day == 0) return dayZero;
  return day <= kDays[month - 1] + (month == 2 && leapYear(year) ? 1U : 0U);
}

bool ibanPasses(std::string_view value) {
  if (value.size() < 5 || value.size() > 34 || !isIso3166Alpha2(value.substr(0, 2))) return false;
  if (!isDigit(value[2]) || !isDigit(value[3])) return false;
  unsigned remainder = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char ch = value[(i + 4) % value.size()];
    if (isDigit(ch)) {
      remainder = (remainder * 10 + static_cast<unsigned>(ch - '0')) % 97;
    } else if (ch >= 'A' && ch <= 'Z') {
      remainder = (remainder * 100 + static_cast<unsigned>(ch - 'A' + 10)) % 97;
    } else {
      return false;
    }
  }
  return remainder == 1;
}

bool pieceOfTotalPasses(std::string_view value) {
  if (value.size() % 2 != 0 || !allDigits(value)) return false;
  const std::uint64_t piece = number(value.substr(0, value.size() / 2));
  const std::uint64_t total = number(value.substr(value.size() / 2));
  return piece != 0 && total != 0 && piece <= total;
}

bool positionInSequencePasses(std::string_view value) {
  const std::size_t slash = value.find('/');
  if (slash == std::string_view::npos) return false;
  const std::string_view position = value.substr(0, slash);
  const std::string_view end = value.substr(slash + 1);
  if (!allDigits(position) || !allDigits(end) || position.size() > 9 || end.size() > 9) return false;
  return number(position) >= 1 && number(position) <= number(end);
}

bool percentEncodingPasses(std::string_view value) {
  if (value.empty()) return false;
  const auto hex = [](char ch) { return isDigit(ch) || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f'); };
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '%') continue;
    if (i + 2 >= value.size()) return false;
    if (!hex(value[i + 1]) || !hex(value[i + 2])) return false;
    i += 2;
  }
  return true;
}

}  // namespace

std::optional<Gs1Linter> gs1LinterNamed(std::string_view name) {
  for (const auto& [text, linter] : kNames) {
    if (text == name) return linter;
  }
  return std::nullopt;
}

bool inGs1CharacterSet(char type, std::string_view value) {
  if (value.empty()) return false;
  switch (type) {
    case 'N': return std::all_of(value.begin(), value.end(), isDigit);
    case 'X': return allIn(value, kCset82);
    case 'Y': return allIn(value, kCset39);
    case 'Z': {
      // Base64url, with up to two "=" of padding at the end.
      const std::size_t padding = value.size() - std::min(value.size(), value.find_last_not_of('=') + 1);
      return padding <= 2 && allIn(value.substr(0, value.size() - padding), kCset64);
    }
    default: return false;
  }
}

bool gs1LintPasses(Gs1Linter linter, std::string_view v) {
  switch (linter) {
    case L::Csum: return checkDigitPasses(v);
    case L::CsumAlpha: return checkPairPasses(v);
    case L::CsetNumeric: return inGs1CharacterSet('N', v);
    case L::Cset82: return inGs1CharacterSet('X', v);
    case L::Cset39: return inGs1CharacterSet('Y', v);
    case L::Cset64: return inGs1CharacterSet('Z', v);
    case L::HasNonDigit: return !std::all_of(v.begin(), v.end(), isDigit);
    case L::NonZero: return v.find_first_not_of('0') != std::string_view::npos;
    case L::Zero: return !v.empty() && v.find_first_not_of('0') == std::string_view::npos;
    case L::NoZeroPrefix: return v.size() == 1 || (!v.empty() && v[0] != '0');  // a lone 0 is the number zero
    case L::Hyphen: return !v.empty() && v.find_first_not_of('-') == std::string_view::npos;
    case L::YesNo: return v == "0" || v == "1";
    case L::Winding: return v == "0" || v == "1" || v == "9";
    case L::Iso5218: return v == "0" || v == "1" || v == "2" || v == "9";
    case L::Yymmdd: return datePasses(v, 2, false);
    case L::Yymmd0: return datePasses(v, 2, true);
    case L::Yyyymmdd: return datePasses(v, 4, false);
    case L::Yyyymmd0: return datePasses(v, 4, true);
    case L::Hh: return numberIn(v, 2, 0, 23);
    case L::Mi:
    case L::Ss: return numberIn(v, 2, 0, 59);
    case L::Hhmi: return v.size() == 4 && numberIn(v.substr(0, 2), 2, 0, 23) && numberIn(v.substr(2), 2, 0, 59);
    case L::Iso3166: return isIso3166Numeric(v);
    case L::Iso3166999: return v == "999" || isIso3166Numeric(v);
    case L::Iso3166Alpha2: return isIso3166Alpha2(v);
    case L::Iso4217: return isIso4217Numeric(v);
    case L::Iban: return ibanPasses(v);
    case L::Latitude: return numberIn(v, 10, 0, 1800000000);
    case L::Longitude: return numberIn(v, 10, 0, 3600000000);
    case L::PieceOfTotal: return pieceOfTotalPasses(v);
    case L::PosInSeqSlash: return positionInSequencePasses(v);
    case L::Pcenc: return percentEncodingPasses(v);
    case L::CompanyPrefix: return true;
    case L::ImporterIdx: return v.size() == 1 && allIn(v, kImporterIndex);
    case L::MediaType: return numberIn(v, 2, 1, 10) || numberIn(v, 2, 80, 99);
    case L::PackageType: return isPackageTypeCode(v);
    case L::CouponCode: return couponCodePasses(v);
    case L::CouponPosOffer: return couponPosOfferPasses(v);
  }
  return false;
}

}  // namespace orbelin::convert::ean
