#pragma once

#include <string_view>

namespace orbelin::convert::ean {

/// What a bar code symbol of a carrier holds.
enum class CarrierContent {
  Unknown,        ///< no symbology identifier this program knows
  ElementString,  ///< GS1 element strings, GS (29) between fields, the leading FNC1 implied
  Digits,         ///< a plain GS1 number (JAN/EAN, UPC, ITF-14), passed on without the identifier
  Text,           ///< plain text, which may be a GS1 Digital Link URI
};

/// A symbology identifier (AIM, ISO/IEC 15424) that a reader puts before the data.
struct Carrier {
  std::string_view identifier;  ///< empty for Unknown
  CarrierContent content = CarrierContent::Unknown;
};

/// The carrier whose identifier record begins with.
Carrier carrierOf(std::string_view record);

}  // namespace orbelin::convert::ean
