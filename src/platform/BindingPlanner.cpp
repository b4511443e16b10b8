#include "platform/BindingPlanner.h"

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

}  // namespace orbelin::platform
