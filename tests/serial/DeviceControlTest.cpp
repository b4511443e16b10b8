#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "SerialFixture.h"
#include "text/Integers.h"

namespace orbelin::serial {
namespace {

using settings::Setting;
using test::SerialFixture;
using Lines = std::vector<std::string>;

/// The port writes and the virtual times at which they happened, to the 100 ms.
struct TimedWrites {
  SerialFixture& f;
  std::vector<std::string> lines;
  std::size_t seen = 0;
  void watchUntil(std::int64_t endMs) {
    // Looking half a step later sees everything due at the full step, in whatever order it ran.
    for (std::int64_t at = 0; at <= endMs; at += 100) {
      f.loop.scheduleAt(at + 50, [this, at] {
        const auto& all = f.transcript.lines();
        for (; seen < all.size(); ++seen) {
          if (all[seen].starts_with("port write ")) lines.push_back(std::to_string(at) + " " + all[seen].substr(11));
        }
      });
    }
  }
};

TEST(DeviceControl, TriggerIsWrittenEveryIntervalFromOneIntervalAfterOpenUntilDisconnect) {
  SerialFixture f;
  f.connect({{Setting::Trigger, "22"}, {Setting::Timer, "3"}});
  TimedWrites writes{f, {}};
  writes.watchUntil(20'000);
  f.loop.scheduleAt(9'500, [&] { f.link.connection().SetuzokuCmd_Click(); });
  f.loop.runUntilIdle();
  EXPECT_EQ(writes.lines, (Lines{"3000 16", "6000 16", "9000 16"}));
}

TEST(DeviceControl, AnswerFollowsEachRecordReadFooterOrGapFramed) {
  struct Case {
    const char* select;
    const char* foot;
    std::string bytes;
    Lines writes;
  };
  const Case cases[] = {
      {"1", "3", "A\rB\r", {"port write 06", "port write 06"}},
      {"0", "0", "ABC", {"port write 06"}},
  };
  for (const Case& c : cases) {
    SerialFixture f;
    f.connect({{Setting::Select, c.select},
               {Setting::RcvFoot, c.foot},
               {Setting::Answer, "6"},
               {Setting::AnswerTime, "50"}});
    f.receive(c.bytes);
    EXPECT_EQ(f.linesStartingWith("port write"), c.writes) << c.bytes;
  }
}

TEST(DeviceControl, AnswerWaitsAnswerTimeAndRunsOfBackToBackScansEachGetOne) {
  SerialFixture f;
  f.connect({{Setting::Select, "1"}, {Setting::RcvFoot, "3"}, {Setting::Answer, "6"}, {Setting::AnswerTime, "1000"}});
  f.port.arriveAt(0, "A\r");
  f.port.arriveAt(150, "B\r");
  TimedWrites writes{f, {}};
  writes.watchUntil(3'000);
  f.loop.runUntilIdle();
  // Each record is read after the 100 ms receive pause; the second waits for the first run.
  ASSERT_EQ(writes.lines.size(), 2u);
  EXPECT_EQ(writes.lines[0], "1100 06");
  EXPECT_EQ(f.typed(), "AB");
}

TEST(DeviceControl, NumbersThatAreNoNumbersFailAndTurnOffOnlyTheirFunction) {
  SerialFixture f;
  f.connect({{Setting::Trigger, "22"}, {Setting::Timer, "soon"}, {Setting::Answer, "6"}, {Setting::AnswerTime, "0"}});
  EXPECT_EQ(f.errorLines().size(), 1u);
  f.port.arrive("A");
  f.loop.scheduleAt(10'000, [] {});
  f.loop.runUntilIdle();
  EXPECT_EQ(f.count("port write 06"), 1);
  EXPECT_EQ(f.count("port write 16"), 0);
}

TEST(DeviceControl, UserDisconnectDropsAPendingAnswerAndSettingsActFromTheNextConnection) {
  SerialFixture f;
  f.connect({{Setting::Answer, "6"}, {Setting::AnswerTime, "2000"}});
  f.port.arrive("A");
  f.loop.scheduleAt(1'000, [&] {
    f.link.connection().SetuzokuCmd_Click();
    f.set(Setting::Answer, "21");
  });
  f.loop.runUntilIdle();
  f.link.connection().SetuzokuCmd_Click();
  f.receive("B");
  EXPECT_EQ(f.linesStartingWith("port write"), (Lines{"port write 15"}));
}

TEST(DeviceControl, EveryRecordReadGetsOneAnswerWhateverBecomesOfItsRun) {
  struct Case {
    const char* name;
    std::function<void(SerialFixture&)> arrange;
    /// Answers expected from what was typed (one per record, each typed with a "/").
    std::function<long(const SerialFixture&)> answers;
  };
  const auto perRecordTyped = [](const SerialFixture& f) { return static_cast<long>(std::ranges::count(f.typed(), '/')); };
  const Case cases[] = {
      {"a record arriving while another is read",
       [](SerialFixture& f) {
         f.set(Setting::Weight, "500");
         f.port.arriveAt(0, "AB");
         f.port.arriveAt(300, "CD");
       },
       perRecordTyped},
      {"output file that cannot be written",
       [](SerialFixture& f) {
         f.set(Setting::File, "1");
         f.set(Setting::FilePath, "missing/out.txt");
         f.port.arriveAt(0, "A");
       },
       [](const SerialFixture&) { return 1L; }},
      {"conversion failure, which closes the port",
       [](SerialFixture& f) {
         f.set(Setting::EANRead, "1");
         f.port.arriveAt(0, "x");
       },
       [](const SerialFixture&) { return 0L; }},
      {"reception failure, no record read",
       [](SerialFixture& f) {
         f.set(Setting::Select, "1");
         f.set(Setting::RcvHead, "3");
         f.set(Setting::HeadOther, "300");
         f.port.arriveAt(0, "1");
       },
       [](const SerialFixture&) { return 0L; }},
  };
  for (const Case& c : cases) {
    const auto failOnX = [](SerialFixture&) {
      return ConversionSteps{[](std::string_view record, std::string&, std::vector<std::string>&) -> std::string {
                               if (record == "x") throw report::RuntimeFailure(text::kTypeMismatch);
                               return std::string(record);
                             },
                             nullptr};
    };
    SerialFixture f(failOnX);
    f.connect({{Setting::KeyFoot, "/"}, {Setting::Answer, "6"}, {Setting::AnswerTime, "200"}});
    c.arrange(f);
    f.loop.runUntilIdle();
    const auto written = f.count("port write 06");
    EXPECT_EQ(written, c.answers(f)) << c.name << " typed " << f.typed();
    if (c.name == cases[0].name) {
      EXPECT_EQ(std::ranges::count_if(f.typed(), [](char ch) { return ch == 'B' || ch == 'D'; }), 2);
    }
    // A dropped answer is no failed write.
    EXPECT_TRUE(std::ranges::none_of(f.errorLines(), [](const std::string& line) { return line.starts_with("[DeviceControl]"); }))
        << c.name;
  }
}

}  // namespace
}  // namespace orbelin::serial
