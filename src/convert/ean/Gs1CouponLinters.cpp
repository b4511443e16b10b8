// The North American coupon code layouts of AIs 8110 and 8112 (GS1 US coupon
// application guideline): digits only, lengths given by the variable length indicator
// digit (VLI) in front of each variable part.
#include <optional>
#include <string_view>

#include "convert/ean/Gs1Linters.h"

namespace orbelin::convert::ean {

namespace {

class Reader {
 public:
  explicit Reader(std::string_view value) : m_rest(value) {}

  /// The next digit when it is one of allowed.
  std::optional<char> digitOf(std::string_view allowed) {
    if (m_rest.empty() || allowed.find(m_rest.front()) == std::string_view::npos) return std::nullopt;
    const char digit = m_rest.front();
    m_rest.remove_prefix(1);
    return digit;
  }
  /// Takes count digits.
  bool digits(std::size_t count) {
    if (m_rest.size() < count) return false;
    for (std::size_t i = 0; i < count; ++i) {
      if (m_rest[i] < '0' || m_rest[i] > '9') return false;
    }
    m_take = m_rest.substr(0, count);
    m_rest.remove_prefix(count);
    return true;
  }
  /// A VLI of allowed and the digits it announces: the VLI's value plus offset.
  bool counted(std::string_view allowed, std::size_t offset) {
    const auto vli = digitOf(allowed);
    return vli && digits(static_cast<std::size_t>(*vli - '0') + offset);
  }
  /// A purchase requirement: its counted value, its code and its family code.
  bool purchase() { return counted("12345", 0) && digitOf("012349") && digits(3); }
  /// A further company prefix: VLI 9 says there is none.
  bool furtherCompanyPrefix() {
    if (digitOf("9")) return true;
    return counted("0123456", 6);
  }
  bool date() { return digits(6) && gs1LintPasses(Gs1Linter::Yymmdd, m_take); }
  bool done() const { return m_rest.empty(); }

 private:
  std::string_view m_rest;
  std::string_view m_take;
};

bool optionalField(Reader& reader, char indicator) {
  switch (indicator) {
    case '1': return reader.digitOf("0123") && reader.purchase() && reader.furtherCompanyPrefix();
    case '2': return reader.purchase() && reader.furtherCompanyPrefix();
    case '3':
    case '4': return reader.date();
    case '5': return reader.counted("0123456789", 6);
    case '6': return reader.counted("1234567", 6);
    case '9': return reader.digitOf("01256") && reader.digitOf("012") && reader.digitOf("01") && reader.digitOf("01");
    default: return false;
  }
}

}  // namespace

bool couponCodePasses(std::string_view value) {
  Reader reader(value);
  if (!reader.counted("0123456", 6) || !reader.digits(6) || !reader.counted("12345", 0) || !reader.purchase()) {
    return false;
  }
  // The optional fields come in the order of their indicators, each at most once.
  char last = '0';
  while (!reader.done()) {
    const auto indicator = reader.digitOf("1234569");
    if (!indicator || *indicator <= last || !optionalField(reader, *indicator)) return false;
    last = *indicator;
  }
  return true;
}

bool couponPosOfferPasses(std::string_view value) {
  Reader reader(value);
  return reader.digitOf("01") && reader.counted("0123456", 6) && reader.digits(6) && reader.counted("0123456789", 6) &&
         reader.done();
}

}  // namespace orbelin::convert::ean
