#include "platform/common/BindingPlanner.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <unordered_set>

namespace orbelin::platform {

std::vector<BindingStretch> planBindingStretches(std::span<const std::int32_t> ahead, std::size_t capacity) {
  std::vector<BindingStretch> stretches;
  if (capacity == 0) return stretches;
  std::unordered_set<std::int32_t> distinct;
  for (std::size_t i = 0; i < ahead.size(); ++i) {
    const auto character = ahead[i];
    if (stretches.empty() || (!distinct.contains(character) && distinct.size() == capacity)) {
      stretches.emplace_back();
      distinct.clear();
    }
    if (distinct.insert(character).second) stretches.back().characters.push_back(character);
    stretches.back().end = i + 1;
  }
  return stretches;
}

std::vector<std::int32_t> chooseEvictions(std::span<const std::int32_t> bound, std::span<const std::int32_t> needed,
                                          std::span<const std::int32_t> ahead, std::size_t from, std::size_t count) {
  const std::unordered_set<std::int32_t> keep(needed.begin(), needed.end());
  std::unordered_map<std::int32_t, std::size_t> nextUse;
  for (const auto character : bound) {
    if (!keep.contains(character)) nextUse.emplace(character, std::numeric_limits<std::size_t>::max());
  }
  for (std::size_t i = ahead.size(); i-- > from;) {
    if (auto found = nextUse.find(ahead[i]); found != nextUse.end()) found->second = i;
  }
  std::vector<std::int32_t> candidates;
  for (const auto character : bound) {
    if (nextUse.contains(character)) candidates.push_back(character);
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [&](std::int32_t a, std::int32_t b) { return nextUse.at(a) > nextUse.at(b); });
  if (candidates.size() > count) candidates.resize(count);
  return candidates;
}

std::vector<SlotChange> planNextChange(std::span<const std::int32_t> slots, std::span<const std::int32_t> ahead) {
  std::vector<SlotChange> changes;
  const auto stretches = planBindingStretches(ahead, slots.size());
  if (stretches.empty()) return changes;
  const auto& stretch = stretches.front();
  const std::unordered_set<std::int32_t> bound(slots.begin(), slots.end());
  std::vector<std::int32_t> missing;
  for (const auto character : stretch.characters) {
    if (!bound.contains(character)) missing.push_back(character);
  }
  if (missing.empty()) return changes;
  std::vector<std::int32_t> occupied;
  std::size_t freeCount = 0;
  for (const auto character : slots) {
    if (character == 0) {
      ++freeCount;
    } else {
      occupied.push_back(character);
    }
  }
  std::unordered_set<std::int32_t> evicted;
  if (missing.size() > freeCount) {
    const auto chosen = chooseEvictions(occupied, stretch.characters, ahead, stretch.end, missing.size() - freeCount);
    evicted.insert(chosen.begin(), chosen.end());
  }
  // Free slots first, then the given-up ones, each in the order of preference.
  std::vector<std::size_t> targets;
  for (std::size_t slot = 0; slot < slots.size(); ++slot) {
    if (slots[slot] == 0) targets.push_back(slot);
  }
  for (std::size_t slot = 0; slot < slots.size(); ++slot) {
    if (slots[slot] != 0 && evicted.contains(slots[slot])) targets.push_back(slot);
  }
  for (std::size_t i = 0; i < missing.size() && i < targets.size(); ++i) changes.push_back({targets[i], missing[i]});
  return changes;
}

}  // namespace orbelin::platform
