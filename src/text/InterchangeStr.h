#pragma once

#include <string>
#include <string_view>

#include "report/FailureReporter.h"

namespace orbelin::text {

/// Replaces every occurrence of find in source by replacement, left to right over the
/// code page 932 bytes, never searching the inserted text again. An empty find returns
/// source; a run-time failure is reported and gives the empty string.
std::string InterchangeStr(std::string_view source, std::string_view find, std::string_view replacement,
                           report::FailureReporter& reporter);

/// The same on code page 932 bytes, without conversion and without failure reporting.
std::string replaceAllBytes(std::string_view bytes, std::string_view find, std::string_view replacement);

}  // namespace orbelin::text
