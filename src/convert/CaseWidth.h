#pragma once

#include <string>
#include <string_view>

namespace orbelin::convert {

/// The data conversion of ConvMode with the Japanese locale's mapping: "1" letters to
/// upper case, "2" to lower case (ASCII, full-width, Greek, Cyrillic, Roman numerals),
/// "3" half-width to full-width (ASCII, space, half-width katakana with their voiced
/// marks composed), "4" full-width to half-width (composed kana split again). Any other
/// mode returns the text unchanged. Only forms that code page 932 can hold are produced.
std::string ConvertCaseWidth(std::string_view text, std::string_view convMode);

}  // namespace orbelin::convert
