#include "convert/ByteEdit.h"

#include <vector>

#include "codec/Cp932.h"
#include "text/Integers.h"

namespace orbelin::convert {

namespace {

struct Slot {
  std::string bytes;
  bool keep = true;
};

void clearKeep(std::vector<Slot>& slots, std::int64_t from, std::int64_t count) {
  const auto last = static_cast<std::int64_t>(slots.size()) - 1;
  for (std::int64_t i = from; i < from + count && i <= last; ++i) slots[static_cast<std::size_t>(i)].keep = false;
}

void applyRule(std::vector<Slot>& slots, std::int32_t position, std::int32_t deleteCount, const std::string& insert) {
  const auto byteCount = static_cast<std::int64_t>(slots.size()) - 1;
  if (position < 1) {
    if (!insert.empty()) slots[0].bytes = insert;
    if (deleteCount > 0) clearKeep(slots, 1, deleteCount);
  } else if (position > byteCount) {
    return;
  } else if (deleteCount < 1) {
    slots[static_cast<std::size_t>(position)].bytes += insert;
  } else {
    clearKeep(slots, position, deleteCount);
    if (!insert.empty()) {
      Slot& slot = slots[static_cast<std::size_t>(position)];
      slot.bytes = insert;
      slot.keep = true;
    }
  }
}

}  // namespace

std::string applyByteEdit(std::string_view text,
                          const std::array<settings::ByteEditEntry, settings::kByteEditRows>& rules) {
  const std::string bytes = codec::toCp932(text);
  std::vector<Slot> slots(bytes.size() + 1);
  for (std::size_t i = 0; i < bytes.size(); ++i) slots[i + 1].bytes = std::string(1, bytes[i]);
  for (const auto& rule : rules) {
    applyRule(slots, text::toInteger(rule.position), text::toInteger(rule.deleteCount), codec::toCp932(rule.insertText));
  }
  std::string result = slots[0].bytes;
  for (std::size_t i = 1; i < slots.size(); ++i) {
    if (slots[i].keep) result += slots[i].bytes;
  }
  return codec::fromCp932(result);
}

}  // namespace orbelin::convert
