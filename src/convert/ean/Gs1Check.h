#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/ean/Gs1Dictionary.h"
#include "convert/ean/Gs1Linters.h"

namespace orbelin::convert::ean {

/// What is wrong with a field or with the message it belongs to.
enum class Gs1Problem {
  UnknownAi,         ///< the AI does not exist
  TooShort,          ///< a component has fewer characters than it needs
  TooLong,           ///< characters are left after the last component
  BadCharacter,      ///< a character outside the component's character set
  FailedCheck,       ///< a component fails one of its checks (see linter)
  DayZeroRefused,    ///< day 00 in a date whose AI does not allow it
  MissingPartner,    ///< none of the AIs that the AI requires is in the message
  ExcludedPartner,   ///< an AI that may not go with it is in the message
  RepeatedDifferent, ///< the AI appears again with another value
};

/// One finding of the checks.
struct Gs1Finding {
  std::size_t field = 0;  ///< index of the field it concerns
  Gs1Problem problem = Gs1Problem::UnknownAi;
  Gs1Linter linter = Gs1Linter::Csum;  ///< the failed check, for FailedCheck
  std::string partners;  ///< the AIs meant, for MissingPartner and ExcludedPartner: "(01) (02)"

  /// Whether the finding is about the field's own data, not its company in the message
  /// (pairing and repetition only warn: a label's parts may come in separate scans).
  bool aboutData() const;
};

/// One decoded field as the checks see it.
struct Gs1FieldToCheck {
  std::string_view ai;    ///< the identifier as found
  std::string_view data;  ///< the data bytes
  bool userRow = false;   ///< found by a row the user added to the AI table
};

/// Checks the fields of one message against the dictionary: every field by the rules of
/// its AI (components, their lengths, character sets and checks; its first failure only),
/// then the pairing rules (req=, ex=) and repeated AIs over the whole message. A user's
/// AI that the dictionary does not know is not checked.
std::vector<Gs1Finding> checkGs1Fields(std::span<const Gs1FieldToCheck> fields,
                                       const Gs1Dictionary& dictionary = gs1Dictionary());

}  // namespace orbelin::convert::ean
