#pragma once

#include <array>
#include <string>

namespace orbelin::settings {

/// One row of the substitution table: the display forms (control characters written
/// by name, as stored and edited) and the working forms (the real characters).
struct SubstitutionPair {
  std::string before;
  std::string after;
  std::string beforeWorking;
  std::string afterWorking;
  bool operator==(const SubstitutionPair&) const = default;
};

/// One byte-edit rule: from byte position delete count bytes and insert text.
struct ByteEditEntry {
  std::string position = "0";
  std::string deleteCount = "0";
  std::string insertText;
  bool operator==(const ByteEditEntry&) const = default;
};

inline constexpr std::size_t kSubstitutionRows = 10;
inline constexpr std::size_t kByteEditRows = 5;

struct EditTables {
  std::array<SubstitutionPair, kSubstitutionRows> substitutions;
  std::array<ByteEditEntry, kByteEditRows> byteEdits;
  bool operator==(const EditTables&) const = default;
};

}  // namespace orbelin::settings
