#include "platform/common/BindingPlanner.h"

#include <gtest/gtest.h>

#include <vector>

namespace orbelin::platform {
namespace {

TEST(BindingPlanner, CutsTheCharactersAheadIntoTheFewestStretches) {
  const std::vector<std::int32_t> ahead = {1, 2, 1, 3, 2, 4, 4, 1, 5, 6};
  const auto stretches = planBindingStretches(ahead, 3);
  ASSERT_EQ(stretches.size(), 3u);
  EXPECT_EQ(stretches[0].end, 5u);
  EXPECT_EQ(stretches[0].characters, (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(stretches[1].end, 9u);
  EXPECT_EQ(stretches[1].characters, (std::vector<std::int32_t>{4, 1, 5}));
  EXPECT_EQ(stretches[2].characters, (std::vector<std::int32_t>{6}));
  EXPECT_TRUE(planBindingStretches(ahead, 0).empty());
}

TEST(BindingPlanner, NextChangeBindsOnlyWhatTheStretchLacks) {
  struct Case {
    const char* what;
    std::vector<std::int32_t> slots;
    std::vector<std::int32_t> ahead;
    std::vector<SlotChange> expected;
  };
  const std::vector<Case> cases = {
      {"free slots in order of preference", {0, 0, 0}, {7, 8, 7}, {{0, 7}, {1, 8}}},
      {"a bound character stays where it is", {0, 8, 0}, {7, 8, 9}, {{0, 7}, {2, 9}}},
      {"characters the stretch does not need make room", {5, 8, 6}, {7, 8, 9, 8}, {{0, 7}, {2, 9}}},
      {"free slots before giving any binding up", {5, 0, 6}, {7, 5}, {{1, 7}}},
      {"nothing when the stretch is bound", {7, 8, 0}, {8, 7, 8}, {}},
      {"nothing without slots", {}, {7}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(planNextChange(c.slots, c.ahead), c.expected) << c.what;
}

}  // namespace
}  // namespace orbelin::platform
