#pragma once

#include <span>
#include <string>
#include <vector>

#include "convert/ean/Gs1Check.h"

namespace orbelin::convert::ean {

/// What the finding says is wrong, in Japanese, without the AI: "チェックディジットが正しくありません".
std::string gs1FindingText(const Gs1Finding& finding);

/// The finding with its AI in brackets and, for a finding about the data, the data:
/// "(17) 日付が正しくありません: 251332". The fields' bytes are code page 932.
std::string gs1FindingLine(const Gs1Finding& finding, std::span<const Gs1FieldToCheck> fields);

/// The COMRECV.LOG lines for the findings of one record: a "[GS1] " line for each; when
/// the record is blocked, the findings about data instead make one "[破棄] " line.
std::vector<std::string> gs1CheckLogLines(std::span<const Gs1Finding> findings,
                                          std::span<const Gs1FieldToCheck> fields, bool blocked);

}  // namespace orbelin::convert::ean
