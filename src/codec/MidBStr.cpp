#include "codec/MidBStr.h"

#include "codec/Cp932.h"

namespace orbelin::codec {

std::string MidBStr(std::string_view text, long start, long length) {
  if (start < 1 || length < 1) return {};
  const std::string bytes = toCp932(text);
  const auto from = static_cast<std::size_t>(start - 1);
  if (from >= bytes.size()) return {};
  return fromCp932(std::string_view(bytes).substr(from, static_cast<std::size_t>(length)));
}

}  // namespace orbelin::codec
