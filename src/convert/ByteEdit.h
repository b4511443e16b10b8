#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/EditTables.h"

namespace orbelin::convert {

/// Applies the five byte-edit rules to text. Every position refers to the bytes of the
/// text as it came in, so the rules do not shift each other. Throws
/// report::RuntimeFailure when a position or delete count is no number.
std::string applyByteEdit(std::string_view text,
                          const std::array<settings::ByteEditEntry, settings::kByteEditRows>& rules);

}  // namespace orbelin::convert
