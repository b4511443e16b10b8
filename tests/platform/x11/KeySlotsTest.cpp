#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "platform/x11/KeySlots.h"

namespace orbelin::platform::x11 {
namespace {

using namespace std::chrono_literals;
using Clock = KeySlots::Clock;
using Key = KeySlots::Key;

// Virtual time: sleeping advances it; every mapping change is written down as
// "keycode=level0,level1;keycode=...@ms".
struct Bench {
  Clock::time_point now{std::chrono::hours(1)};
  Clock::time_point start = now;
  std::vector<std::string> log;
  KeySlots::Binder bind = [this](std::span<const KeySlots::Row> rows) {
    std::string change;
    for (const auto& row : rows) {
      change += (change.empty() ? "" : ";") + std::to_string(row.keycode) + "=";
      for (std::size_t level = 0; level < row.keysyms.size(); ++level) {
        change += (level == 0 ? "" : ",") + std::to_string(row.keysyms[level]);
      }
    }
    log.push_back(change + "@" + std::to_string(elapsedMs()));
  };

  long elapsedMs() const { return std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count(); }
  KeySlots::Timing timing() {
    return {[this] { return now; }, [this](Clock::duration d) { now += d; }};
  }
};

// Presses and releases an acquired key and lets 10 ms pass.
Key pressAcquired(KeySlots& slots, Bench& bench, const std::optional<Key>& key) {
  EXPECT_TRUE(key);
  if (!key) return {};
  slots.noteKeyEvent(key->keycode, true);
  slots.noteKeyEvent(key->keycode, false);
  bench.now += 10ms;
  return *key;
}

// Acquires keysym, presses and releases its key, and lets 10 ms pass.
Key type(KeySlots& slots, Bench& bench, Keysym keysym) {
  return pressAcquired(slots, bench, slots.acquire(keysym, bench.bind));
}

// As type, for the next keysym of the plan.
Key typeNext(KeySlots& slots, Bench& bench, Keysym keysym) {
  return pressAcquired(slots, bench, slots.acquireNext(keysym, bench.bind));
}

TEST(KeySlots, ReusesABindingWithoutChangingTheMapping) {
  Bench bench;
  KeySlots slots({93, 97}, bench.timing());
  EXPECT_EQ(slots.acquire(0x1003042, bench.bind), (Key{93, false}));
  EXPECT_EQ(bench.elapsedMs(), 50) << "the first press waits for the mapping to settle";
  EXPECT_EQ(slots.acquire(0x1003042, bench.bind), (Key{93, false}));
  EXPECT_EQ(bench.elapsedMs(), 50) << "a settled binding is used at once";
  EXPECT_EQ(bench.log, std::vector<std::string>{"93=16789570,0@0"});
}

TEST(KeySlots, FillsEveryKeycodeAloneBeforeAddingShiftBindings) {
  Bench bench;
  KeySlots slots({93, 97}, bench.timing());
  EXPECT_EQ(slots.slotCount(), 4u);
  EXPECT_EQ(type(slots, bench, 1001), (Key{93, false}));
  EXPECT_EQ(type(slots, bench, 1002), (Key{97, false}));
  EXPECT_EQ(type(slots, bench, 1003), (Key{93, true}));
  EXPECT_EQ(type(slots, bench, 1004), (Key{97, true}));
  EXPECT_EQ(bench.log, (std::vector<std::string>{"93=1001,0@0", "97=1002,0@60", "93=1001,1003@120",
                                                 "97=1002,1004@180"}));
}

TEST(KeySlots, RebindsTheLeastRecentlyUsedSlotAfterItsKeycodeWasLastPressed) {
  Bench bench;
  KeySlots slots({93}, bench.timing());
  type(slots, bench, 1001);  // 93 alone, bound at 0, pressed at 50
  type(slots, bench, 1002);  // 93 with Shift, bound at 100, pressed at 150
  type(slots, bench, 1001);  // reused, pressed at 160
  EXPECT_EQ(type(slots, bench, 1003), (Key{93, true})) << "1002 was used longest ago";
  EXPECT_EQ(bench.log, (std::vector<std::string>{"93=1001,0@0", "93=1001,1002@100", "93=1001,1003@210"}))
      << "93 changes only 50 ms after its last press";
  EXPECT_EQ(slots.mappingChanges(), 3);
}

TEST(KeySlots, KeysHeldByTheEngineNeedNoShiftAndAreNeverRebound) {
  Bench bench;
  KeySlots slots({93}, bench.timing());
  type(slots, bench, 1001);
  EXPECT_EQ(slots.acquire(2002, bench.bind, false), (Key{93, false})) << "the unshifted slot is rebound";
  slots.noteKeyEvent(93, true);
  EXPECT_FALSE(slots.acquire(3003, bench.bind)) << "neither binding of a held keycode changes";
  EXPECT_EQ(slots.idleDeadline(), std::nullopt) << "a held keycode is not given back";
  slots.noteKeyEvent(93, false);
  EXPECT_EQ(slots.acquire(3003, bench.bind), (Key{93, true}));
}

TEST(KeySlots, WithoutSpareKeycodesNothingIsBound) {
  Bench bench;
  KeySlots slots({}, bench.timing());
  EXPECT_FALSE(slots.acquire(1001, bench.bind));
  EXPECT_TRUE(bench.log.empty());
  EXPECT_FALSE(slots.idleDeadline());
}

TEST(KeySlots, GivesIdleKeycodesBackAndEveryKeycodeAtTheEnd) {
  Bench bench;
  KeySlots slots({93, 97, 103}, bench.timing());
  type(slots, bench, 1001);  // 93, last used at 50
  type(slots, bench, 1002);  // 97, last used at 110
  ASSERT_TRUE(slots.idleDeadline());
  EXPECT_EQ(*slots.idleDeadline(), bench.start + 50ms + KeySlots::kIdleRelease);
  bench.now = bench.start + 50ms + KeySlots::kIdleRelease - 1ms;
  EXPECT_FALSE(slots.releaseIdle(bench.bind)) << "both were used less than the idle time ago";
  bench.now = bench.start + 50ms + KeySlots::kIdleRelease;
  EXPECT_TRUE(slots.releaseIdle(bench.bind));
  EXPECT_EQ(bench.log.back().substr(0, 6), "93=0,0");
  EXPECT_EQ(*slots.idleDeadline(), bench.start + 110ms + KeySlots::kIdleRelease);
  EXPECT_EQ(type(slots, bench, 1003), (Key{93, false})) << "a given-back keycode is lent first";

  const long pressedAt = bench.elapsedMs() - 10;
  slots.releaseAll(bench.bind);
  ASSERT_EQ(bench.log.size(), 5u);
  EXPECT_EQ(bench.log[4], "93=0,0;97=0,0@" + std::to_string(pressedAt + 50))
      << "one change once the last press is handled; keycodes never bound stay untouched";
}

TEST(KeySlots, DropsKeycodesThatAnotherProgramBound) {
  Bench bench;
  KeySlots slots({11, 12, 13}, bench.timing());
  type(slots, bench, 1001);  // keycode 11
  // 11 shows our binding (its Shift column filled in by the server), 12 is still empty,
  // 13 was taken by someone else.
  const Keymap seen(11, 2, {1001, 1002, 0, 0, 4242, 0});
  slots.reconcile([&] { return seen; });
  EXPECT_EQ(slots.slotCount(), 4u);
  for (Keysym keysym : {2001, 2002, 2003}) {
    const auto key = slots.acquire(keysym, bench.bind);
    ASSERT_TRUE(key);
    EXPECT_NE(key->keycode, 13);
  }
}

TEST(KeySlots, BindsEveryCharacterOfAStretchInOneChangeAndSettlesOnce) {
  Bench bench;
  KeySlots slots({93}, bench.timing(), 4);
  EXPECT_EQ(slots.slotCount(), 4u);
  const std::vector<Keysym> ahead = {1001, 1002, 1001, 1003, 1004, 1002};
  slots.plan(ahead);
  const std::vector<Key> expected = {{93, 0}, {93, 1}, {93, 0}, {93, 2}, {93, 3}, {93, 1}};
  for (std::size_t i = 0; i < ahead.size(); ++i) EXPECT_EQ(typeNext(slots, bench, ahead[i]), expected[i]) << i;
  EXPECT_EQ(bench.log, std::vector<std::string>{"93=1001,1002,1003,1004@0"});
  EXPECT_EQ(bench.elapsedMs(), 50 + 6 * 10) << "one settling pause for the whole stretch";
}

TEST(KeySlots, ANewStretchKeepsTheBindingsItSharesAndWaitsForPendingPresses) {
  Bench bench;
  KeySlots slots({93, 97}, bench.timing());
  const std::vector<Keysym> ahead = {1001, 1002, 1003, 1004, 1005, 1001, 1002, 1004};
  slots.plan(ahead);
  std::vector<Key> keys;
  for (Keysym keysym : ahead) keys.push_back(typeNext(slots, bench, keysym));
  // 1003 went to 93 with Shift; 93 was last pressed at 70 (after the settling pause).
  EXPECT_EQ(bench.log, (std::vector<std::string>{"93=1001,1003;97=1002,1004@0", "93=1001,1005@120"}))
      << "only the keycode that gets a new binding changes, 50 ms after its last press";
  EXPECT_EQ(keys[4], (Key{93, 1}));
  EXPECT_EQ(keys[5], keys[0]);
  EXPECT_EQ(keys[6], keys[1]);
  EXPECT_EQ(keys[7], keys[3]);
  EXPECT_EQ(slots.mappingChanges(), 2);
}

TEST(KeySlots, AKeysymOutOfTurnDropsThePlanAndIsStillTyped) {
  Bench bench;
  KeySlots slots({93, 97}, bench.timing());
  const std::vector<Keysym> ahead = {1001, 1002};
  slots.plan(ahead);
  EXPECT_EQ(typeNext(slots, bench, 2002), (Key{93, 0}));
  EXPECT_EQ(typeNext(slots, bench, 1001), (Key{97, 0}));
  EXPECT_EQ(bench.log.size(), 2u) << "without a plan every miss binds one character";
}

TEST(KeySlots, KeepsAStretchBoundWhileThePlanIsTypedAndGivesItBackAfterwards) {
  Bench bench;
  KeySlots slots({93, 97}, bench.timing());
  const std::vector<Keysym> ahead = {1001, 1001, 1002};
  slots.plan(ahead);
  typeNext(slots, bench, 1001);  // both bound at 0, 1001 pressed at 50
  bench.now = bench.start + 4s;
  typeNext(slots, bench, 1001);
  bench.now = bench.start + 8s;
  EXPECT_FALSE(slots.releaseIdle(bench.bind)) << "1002 is still to come";
  EXPECT_EQ(typeNext(slots, bench, 1002), (Key{97, 0}));
  EXPECT_EQ(bench.log.size(), 1u);

  ASSERT_TRUE(slots.idleDeadline());
  EXPECT_EQ(*slots.idleDeadline(), bench.start + 4s + KeySlots::kIdleRelease) << "93 was last used at 4 s";
  bench.now = bench.start + 4s + KeySlots::kIdleRelease;
  EXPECT_TRUE(slots.releaseIdle(bench.bind));
  bench.now = bench.start + 8s + KeySlots::kIdleRelease;
  EXPECT_TRUE(slots.releaseIdle(bench.bind));
  EXPECT_FALSE(slots.idleDeadline());
  slots.plan(ahead);
  EXPECT_EQ(typeNext(slots, bench, 1001), (Key{93, 0})) << "given-back keycodes are lent again";
}

}  // namespace
}  // namespace orbelin::platform::x11
