#include "convert/text/Integers.h"

#include <cmath>
#include <string>

namespace orbelin::text {

namespace {

enum class Outcome { Ok, NotANumber, TooLarge };

Outcome parse(std::string_view text, std::int32_t& value) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return Outcome::NotANumber;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return Outcome::NotANumber;
  auto allDigits = [](std::string_view digits) {
    return digits.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!allDigits(whole) || !allDigits(fraction)) return Outcome::NotANumber;
  const double magnitude = std::stod("0" + std::string(whole) + "." + std::string(fraction) + "0");
  const double rounded = std::nearbyint(negative ? -magnitude : magnitude);
  if (rounded < -2147483648.0 || rounded > 2147483647.0) return Outcome::TooLarge;
  value = static_cast<std::int32_t>(rounded);
  return Outcome::Ok;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
  std::int32_t value = 0;
  if (parse(text, value) != Outcome::Ok) return std::nullopt;
  return value;
}

std::int32_t toInteger(std::string_view text) {
  std::int32_t value = 0;
  switch (parse(text, value)) {
    case Outcome::Ok: return value;
    case Outcome::TooLarge: throw RuntimeFailure(kOverflow);
    case Outcome::NotANumber: break;
  }
  throw RuntimeFailure(kTypeMismatch);
}

}  // namespace orbelin::text
