#include "text/Integers.h"

namespace orbelin::text {

namespace {

enum class Outcome { Ok, NotANumber, TooLarge };

// Half to even, as the run-time rounds: 2.5 gives 2, 3.5 gives 4, 2.51 gives 3.
bool roundsUp(std::string_view fraction, std::int64_t whole) {
  if (fraction.empty() || fraction.front() < '5') return false;
  if (fraction.front() > '5') return true;
  if (fraction.find_first_not_of('0', 1) != std::string_view::npos) return true;
  return whole % 2 != 0;
}

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
  std::int64_t magnitude = 0;
  for (const char digit : whole) {
    magnitude = magnitude * 10 + (digit - '0');
    if (magnitude > 2147483648LL) return Outcome::TooLarge;
  }
  if (roundsUp(fraction, magnitude)) ++magnitude;
  const std::int64_t rounded = negative ? -magnitude : magnitude;
  if (rounded < -2147483648LL || rounded > 2147483647LL) return Outcome::TooLarge;
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
    case Outcome::TooLarge: throw report::RuntimeFailure(kOverflow);
    case Outcome::NotANumber: break;
  }
  throw report::RuntimeFailure(kTypeMismatch);
}

}  // namespace orbelin::text
