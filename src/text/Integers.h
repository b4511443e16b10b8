#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "report/RuntimeFailure.h"

namespace orbelin::text {

/// The run-time's descriptions of the failures that converting a setting can raise.
inline constexpr const char* kTypeMismatch = "型が一致しません。";
inline constexpr const char* kOverflow = "オーバーフローしました。";
inline constexpr const char* kInvalidArgument = "プロシージャの呼び出し、または引数が不正です。";

/// Settings text as a 32-bit integer: blanks around, an optional sign, decimal digits and
/// an optional fraction (rounded half to even). Nothing when the text is no number or
/// does not fit.
std::optional<std::int32_t> parseInteger(std::string_view text);

/// The same, throwing RuntimeFailure (type mismatch or overflow) when it fails; for
/// procedures whose failure path is the failure report.
std::int32_t toInteger(std::string_view text);

}  // namespace orbelin::text
