// Delta mode, the frame cap, frames per second, the clock and waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/engine_doubles.h"

namespace brisenfall {
namespace {

TEST(DeltaStep, LongFrameEntersTheHistoryAsFifty) {
  frame_state frames;
  seed_history(frames, 50);
  frames.last_tick = 1000;
  const delta_outcome outcome = delta_step(frames, 1080);
  EXPECT_EQ(frames.elapsed, 50);
  EXPECT_EQ(frames.history[static_cast<size_t>(frames.history_index)], 50);
  EXPECT_EQ(frames.last_tick, 1080);
  // mean (9 * 20 + 50) / 10 = 23 is below 50: no wait, half way towards the frame
  EXPECT_EQ(outcome.wait_ms, 0.0f);
  EXPECT_EQ(outcome.timedelta, (23.0f + 50.0f) / 2);
}

TEST(DeltaStep, TenShortFramesSettleOnTheirLength) {
  frame_state frames;
  seed_history(frames, 50);
  int32_t now = 5000;
  frames.last_tick = now;
  delta_outcome outcome;
  for (int frame = 0; frame < 10; ++frame) outcome = delta_step(frames, now += 10);
  for (const int32_t entry : frames.history) EXPECT_EQ(entry, 10);
  EXPECT_EQ(outcome.timedelta, 10.0f);
  EXPECT_EQ(outcome.wait_ms, 0.0f);
}

TEST(DeltaStep, QuickFrameWaitsTheMeanMinusItsLength) {
  frame_state frames;
  seed_history(frames, 50);
  frames.last_tick = 100;
  const delta_outcome outcome = delta_step(frames, 105);
  EXPECT_EQ(outcome.wait_ms, 18.5f - 5.0f);
  EXPECT_EQ(outcome.timedelta, (18.5f + 5.0f) / 2);
}

struct running_engine : testing::recorded_engine {
  running_engine() { engine->init(0, 640, 480, 32); }
  // One frame whose drawing takes `work_ms`; returns the time spent inside scene_end.
  double frame(double work_ms = 0) {
    engine->scene_begin();
    clock->advance_ms(work_ms);
    const double before = clock->now_ms();
    engine->scene_end();
    return clock->now_ms() - before;
  }
};

TEST(FrameCycle, InitLeavesTheWarmUpMeanInTimedelta) {
  running_engine e;
  EXPECT_EQ(e.display->presents, 100);
  EXPECT_GE(e->timedelta, 25.0f);
  EXPECT_LE(e->timedelta, 50.0f);
  EXPECT_FALSE(e->sceneinfo);
  EXPECT_EQ(e->mousespeed, 1.0f);
}

TEST(FrameCycle, QuickFrameIsPulledBackToTheMean) {
  running_engine e;
  e.frame();
  e->lib_initdelta(50);  // history all 20 ms
  const double waited = e.frame(5);
  // mean (9 * 20 + 5) / 10 = 18.5: the frame end waits 13.5 ms, to the next whole millisecond
  EXPECT_GE(waited, 13.5);
  EXPECT_LT(waited, 14.6);
  EXPECT_EQ(e->timedelta, (18.5f + 5.0f) / 2);
}

TEST(FrameCycle, FrameModeKeepsTimedeltaAtOne) {
  running_engine e;
  e->scene_setframerate(60, false);
  for (int frame = 0; frame < 5; ++frame) {
    e.frame(3);
    EXPECT_EQ(e->timedelta, 1.0f);
  }
}

TEST(FrameCycle, CapSpacesFrameEndsByTheInterval) {
  running_engine e;
  e->scene_setframerate(30, false);
  e.frame();
  double previous_end = e->lib_tickcount();
  for (int frame = 0; frame < 10; ++frame) {
    e.frame(frame % 3 == 0 ? 40 : 2);  // some frames run late
    const double end = e->lib_tickcount();
    EXPECT_GE(end - previous_end, 33.0);
    EXPECT_LE(end - previous_end, frame % 3 == 0 ? 41.0 : 34.0);  // late frames do not shorten later ones
    previous_end = end;
  }
}

TEST(FrameCycle, FramerateIsUpdatedOnceASecond) {
  running_engine e;
  e->scene_setframerate(50, false);
  std::vector<std::pair<double, int32_t>> changes;
  int32_t rate = e->framerate;
  for (int frame = 0; frame < 200; ++frame) {
    if (frame == 100) e->scene_setframerate(25, false);
    e.frame(1);
    if (e->framerate != rate) {
      rate = e->framerate;
      changes.emplace_back(e.clock->now_ms(), rate);
    }
  }
  ASSERT_GE(changes.size(), 2u);
  for (size_t i = 1; i < changes.size(); ++i) EXPECT_GE(changes[i].first - changes[i - 1].first, 1000.0);
  EXPECT_TRUE(std::any_of(changes.begin(), changes.end(), [](const auto& c) { return std::abs(c.second - 50) <= 1; }));
  EXPECT_NEAR(changes.back().second, 25, 1);
  EXPECT_EQ(e->scene_getframerate(), e->framerate);
}

TEST(Clock, TickCountRoundsTheCounterToMilliseconds) {
  running_engine e;
  e.clock->set_ms(2000.4);
  EXPECT_EQ(e->lib_tickcount(), 2000);
  e.clock->set_ms(2000.6);
  EXPECT_EQ(e->lib_tickcount(), 2001);
  EXPECT_TRUE(e->lib_highperformancecountersupport());
  e->lib_setcountertype(false);  // the millisecond clock truncates
  EXPECT_EQ(e->lib_tickcount(), 2000);
}

TEST(Clock, WithoutACounterTheMillisecondClockIsUsed) {
  testing::recorded_engine e;
  e.clock->counter_supported = false;
  e->init(0, 640, 480, 32);
  EXPECT_FALSE(e->lib_highperformancecountersupport());
  e->lib_setcountertype(true);
  e.clock->set_ms(3000.9);
  EXPECT_EQ(e->lib_tickcount(), 3000);
}

TEST(Waits, DelayKeepsItsDeadlineAndSleepsMostOfIt) {
  running_engine e;
  const double start = e->lib_tickcount();
  e.clock->slept_ms = 0;
  e.clock->spins = 0;
  e->lib_delay(30);
  EXPECT_GE(e->lib_tickcount(), start + 30);
  EXPECT_LT(e.clock->now_ms(), start + 30.6);
  EXPECT_GE(e.clock->slept_ms, 28.0);
  EXPECT_LE(e.clock->spins, 40);
}

TEST(Waits, FractionalDelayIsComparedAsAFraction) {
  running_engine e;
  e.clock->set_ms(500);
  e->lib_delay(2.5);
  EXPECT_EQ(e->lib_tickcount(), 503);
}

TEST(Events, DoEventsPumpsThatManyTimes) {
  running_engine e;
  const int32_t before = e.input->pumps;
  e->lib_doevents(3);
  EXPECT_EQ(e.input->pumps, before + 3);
}

}  // namespace
}  // namespace brisenfall
