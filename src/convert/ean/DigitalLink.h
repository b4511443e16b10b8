#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/ean/Gs1Dictionary.h"

namespace orbelin::convert::ean {

/// The element string a GS1 Digital Link URI stands for: the fields separated by GS (29),
/// the primary key first, then its qualifiers in path order, then the data attributes of
/// the query in their order. The URI is "http://" or "https://", any host, any path
/// before the primary key, then the key and its qualifiers as AI/value segment pairs;
/// percent-encoding is undone, query parameters that name no data attribute and the
/// fragment are ignored, and a GTIN of 8, 12 or 13 digits is given its leading zeros.
/// The dictionary names the primary keys, their qualifier sequences and the data
/// attributes. Nothing when uri is no Digital Link URI: another URL, qualifiers out of
/// the order the dictionary gives them, an AI given twice, a value that is empty or holds
/// a character outside printable ASCII.
std::optional<std::string> digitalLinkElementString(std::string_view uri, const Gs1Dictionary& dictionary);

}  // namespace orbelin::convert::ean
