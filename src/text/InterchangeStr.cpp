#include "text/InterchangeStr.h"

#include <exception>

#include "codec/Cp932.h"

namespace orbelin::text {

std::string replaceAllBytes(std::string_view bytes, std::string_view find, std::string_view replacement) {
  if (find.empty() || find == replacement) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  std::size_t from = 0;
  for (std::size_t match = bytes.find(find); match != std::string_view::npos; match = bytes.find(find, from)) {
    out.append(bytes, from, match - from);
    out += replacement;
    from = match + find.size();
  }
  out.append(bytes, from);
  return out;
}

std::string InterchangeStr(std::string_view source, std::string_view find, std::string_view replacement,
                           report::FailureReporter& reporter) {
  if (source.empty()) return {};
  if (find.empty()) return std::string(source);
  try {
    const std::string bytes = codec::toCp932(source);
    return codec::fromCp932(replaceAllBytes(bytes, codec::toCp932(find), codec::toCp932(replacement)));
  } catch (const std::exception& failure) {
    reporter.report("InterchangeStr", failure);
    return {};
  }
}

}  // namespace orbelin::text
