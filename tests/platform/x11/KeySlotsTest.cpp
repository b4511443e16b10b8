#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/x11/KeySlots.h"

namespace orbelin::platform::x11 {
namespace {

using namespace std::chrono_literals;
using Clock = KeySlots::Clock;

// Virtual time: sleeping advances it; every binding is written down with its time.
struct Bench {
  Clock::time_point now{std::chrono::hours(1)};
  std::vector<std::string> log;
  KeySlots::Binder bind = [this](int keycode, Keysym keysym) {
    log.push_back(std::to_string(keycode) + "=" + std::to_string(keysym) + "@" + std::to_string(elapsedMs()));
  };
  Clock::time_point start = now;

  long elapsedMs() const { return std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count(); }
  KeySlots::Timing timing() {
    return {[this] { return now; }, [this](Clock::duration d) { now += d; }};
  }
};

TEST(KeySlots, ReusesABindingWithoutChangingTheMapping) {
  Bench bench;
  KeySlots slots({93, 97}, bench.timing());
  EXPECT_EQ(slots.acquire(0x1003042, bench.bind), 93);
  EXPECT_EQ(bench.elapsedMs(), 50) << "the first press waits for the mapping to settle";
  EXPECT_EQ(slots.acquire(0x1003042, bench.bind), 93);
  EXPECT_EQ(bench.elapsedMs(), 50) << "a settled binding is used at once";
  EXPECT_EQ(bench.log, std::vector<std::string>{"93=16789570@0"});
}

TEST(KeySlots, RebindsTheLeastRecentlyUsedSlotAfterItsPressWasHandled) {
  Bench bench;
  KeySlots slots({93, 97}, bench.timing());
  const auto type = [&](Keysym keysym) {
    const auto keycode = slots.acquire(keysym, bench.bind);
    slots.noteKeyEvent(*keycode, true);
    slots.noteKeyEvent(*keycode, false);
    bench.now += 10ms;
    return *keycode;
  };
  type(1001);  // 93, bound at 0, pressed at 50
  type(1002);  // 97, bound at 60, pressed at 110
  type(1001);  // reused at 120
  EXPECT_EQ(type(1003), 97) << "1002 was used longest ago";
  EXPECT_EQ(bench.log, (std::vector<std::string>{"93=1001@0", "97=1002@60", "97=1003@160"}))
      << "97 changes only 50 ms after its last press";
  EXPECT_EQ(slots.mappingChanges(), 3);
}

TEST(KeySlots, NeverRebindsAKeyThatIsHeldDown) {
  Bench bench;
  KeySlots slots({93}, bench.timing());
  slots.acquire(1001, bench.bind);
  slots.noteKeyEvent(93, true);
  EXPECT_FALSE(slots.acquire(1002, bench.bind));
  slots.noteKeyEvent(93, false);
  EXPECT_EQ(slots.acquire(1002, bench.bind), 93);
}

TEST(KeySlots, WithoutSpareKeycodesNothingIsBound) {
  Bench bench;
  KeySlots slots({}, bench.timing());
  EXPECT_FALSE(slots.acquire(1001, bench.bind));
  EXPECT_TRUE(bench.log.empty());
  EXPECT_FALSE(slots.idleDeadline());
}

TEST(KeySlots, GivesIdleSlotsBackAndEverySlotAtTheEnd) {
  Bench bench;
  KeySlots slots({93, 97, 103}, bench.timing());
  slots.acquire(1001, bench.bind);
  slots.acquire(1002, bench.bind);
  ASSERT_TRUE(slots.idleDeadline());
  EXPECT_EQ(*slots.idleDeadline(), bench.start + 50ms + KeySlots::kIdleRelease);
  bench.now = bench.start + 50ms + KeySlots::kIdleRelease - 1ms;
  EXPECT_FALSE(slots.releaseIdle(bench.bind)) << "both were used less than the idle time ago";
  bench.now = bench.start + 100ms + KeySlots::kIdleRelease;
  EXPECT_TRUE(slots.releaseIdle(bench.bind));
  ASSERT_EQ(bench.log.size(), 4u);
  EXPECT_EQ(bench.log[2].substr(0, 5), "93=0@");
  EXPECT_EQ(bench.log[3].substr(0, 5), "97=0@");
  EXPECT_FALSE(slots.idleDeadline());

  EXPECT_EQ(slots.acquire(1003, bench.bind), 103) << "a never-used slot goes first";
  slots.noteKeyEvent(103, true);
  slots.noteKeyEvent(103, false);
  const long pressedAt = bench.elapsedMs();
  slots.releaseAll(bench.bind);
  EXPECT_EQ(bench.log.back(), "103=0@" + std::to_string(pressedAt + 50)) << "the last press is handled first";
  EXPECT_EQ(bench.log.size(), 6u) << "slots that were never bound stay untouched";
}

TEST(KeySlots, DropsSlotsThatAnotherProgramBound) {
  Bench bench;
  KeySlots slots({11, 12, 13}, bench.timing());
  slots.acquire(1001, bench.bind);  // keycode 11
  // 11 shows our binding, 12 is still empty, 13 was taken by someone else.
  const Keymap seen(11, 2, {1001, 1001, 0, 0, 4242, 0});
  slots.reconcile([&] { return seen; });
  EXPECT_EQ(slots.slotCount(), 2u);
  slots.acquire(1002, bench.bind);
  slots.acquire(1003, bench.bind);
  for (const auto& entry : bench.log) EXPECT_NE(entry.substr(0, 3), "13=") << entry;
}

}  // namespace
}  // namespace orbelin::platform::x11
