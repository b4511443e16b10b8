#pragma once

#include <string_view>

namespace orbelin::convert::ean {

/// Whether code is an ISO 3166-1 numeric country code (three digits).
bool isIso3166Numeric(std::string_view code);
/// Whether code is an ISO 3166-1 alpha-2 country code (two capital letters).
bool isIso3166Alpha2(std::string_view code);
/// Whether code is an ISO 4217 numeric currency code (three digits).
bool isIso4217Numeric(std::string_view code);
/// Whether code is a package type code of UN/ECE Recommendation 21 or one of GS1's additions.
bool isPackageTypeCode(std::string_view code);

}  // namespace orbelin::convert::ean
