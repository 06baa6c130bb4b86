// Delta mode, the frame cap, frames per second, the clock and waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "engine/frame_state.h"
#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

// From a history of ten 20 ms frames: a frame enters the history at most 50 ms long (a clock that
// went back counts as no time), the frame end waits the mean minus a quicker frame's length, and
// timedelta goes half way from the mean towards the frame.
TEST(DeltaStep, EntersTheFrameMovesTimedeltaHalfWayFromTheMeanAndSeedingRefusesOverflowingRates) {
  struct row {
    int64_t last_tick, now;
    int32_t entered;
    float wait_ms, timedelta;
  };
  const row rows[] = {{1000, 1080, 50, 0.0f, (23.0f + 50) / 2},  // mean (9 * 20 + 50) / 10
                      {100, 105, 5, 18.5f - 5, (18.5f + 5) / 2},
                      {9000, 4000, 0, 18.0f, (18.0f + 0) / 2}};
  for (const row& r : rows) {
    frame_state frames;
    seed_history(frames, 50);
    frames.last_tick = r.last_tick;
    const delta_outcome outcome = delta_step(frames, r.now);
    EXPECT_EQ(std::tuple(frames.elapsed, frames.history[static_cast<size_t>(frames.history_index)], frames.last_tick,
                         outcome.wait_ms, outcome.timedelta),
              std::tuple(r.entered, r.entered, r.now, r.wait_ms, r.timedelta))
        << r.last_tick << " to " << r.now;
  }
  frame_state steady;
  seed_history(steady, 50);
  steady.last_tick = 5000;
  delta_outcome outcome;
  for (int64_t now = 5010; now <= 5100; now += 10) outcome = delta_step(steady, now);
  for (const int32_t entry : steady.history) EXPECT_EQ(entry, 10);
  EXPECT_EQ(std::pair(outcome.timedelta, outcome.wait_ms), std::pair(10.0f, 0.0f));
  // Seeding puts 1000 / fps in each entry; it refuses rates whose ten entries would not sum in 32 bits.
  const std::pair<double, int32_t> cases[] = {{25, 40},     {5e-6, 200000000}, {4.6e-6, 20},
                                              {1e-300, 20}, {0, 20},           {-3, 20}};
  for (const auto& [fps, entry] : cases) {
    frame_state frames;
    seed_history(frames, 50);
    seed_history(frames, fps);
    for (const int32_t each : frames.history) EXPECT_EQ(each, entry) << fps;
  }
}

TEST(FrameCycle, WarmUpQuickFramesFrameModeAndTheCap) {
  recorded_engine warm;
  warm->init(0, 640, 480, 32);  // init leaves the warm-up mean in timedelta
  EXPECT_EQ(std::tuple(warm.display->presents, warm->sceneinfo, warm->mousespeed), std::tuple(100, false, 1.0f));
  EXPECT_TRUE(warm->timedelta >= 25.0f && warm->timedelta <= 50.0f) << warm->timedelta;
  started_recorded e;
  e.frame();
  e->lib_initdelta(50);  // history all 20 ms
  const double waited = e.frame(5);
  // mean (9 * 20 + 5) / 10 = 18.5: the frame end waits 13.5 ms, to the next whole millisecond
  EXPECT_TRUE(waited >= 13.5 && waited < 14.6) << waited;
  EXPECT_EQ(e->timedelta, (18.5f + 5.0f) / 2);
  e->scene_setframerate(60, false);  // frame mode: timedelta 1 from the switch on
  EXPECT_EQ(e->timedelta, 1.0f);
  for (int frame = 0; frame < 5; ++frame) {
    e.frame(3);
    EXPECT_EQ(e->timedelta, 1.0f);
  }
  e->scene_setframerate(30, false);
  e.frame();
  double previous_end = e->lib_tickcount();
  for (int frame = 0; frame < 10; ++frame) {
    e.frame(frame % 3 == 0 ? 40 : 2);  // some frames run late; they do not shorten later ones
    const double end = e->lib_tickcount();
    EXPECT_TRUE(end - previous_end >= 33.0 && end - previous_end <= (frame % 3 == 0 ? 41.0 : 34.0)) << frame;
    previous_end = end;
  }
}

TEST(FrameCycle, FramerateIsUpdatedOnceASecond) {
  started_recorded e;
  e->scene_setframerate(50, false);
  std::vector<std::pair<double, int32_t>> changes;
  for (int frame = 0; frame < 200; ++frame) {
    if (frame == 100) e->scene_setframerate(25, false);
    const int32_t rate = e->framerate;
    e.frame(1);
    if (e->framerate != rate) changes.emplace_back(e.clock->now_ms(), e->framerate);
  }
  ASSERT_GE(changes.size(), 2u);
  for (size_t i = 1; i < changes.size(); ++i) EXPECT_GE(changes[i].first - changes[i - 1].first, 1000.0);
  EXPECT_TRUE(std::any_of(changes.begin(), changes.end(), [](const auto& c) { return std::abs(c.second - 50) <= 1; }));
  EXPECT_NEAR(changes.back().second, 25, 1);
  EXPECT_EQ(e->scene_getframerate(), e->framerate);
}

// A delay keeps its deadline, sleeping most of it, and compares fractions; the tick count rounds the
// counter to milliseconds and never goes back.
TEST(Clock, DelaysAndTheTickCount) {
  started_recorded e;
  const double start = e->lib_tickcount();
  e.clock->slept_ms = 0;
  e.clock->spins = 0;
  e->lib_delay(30);
  EXPECT_TRUE(e->lib_tickcount() >= start + 30 && e.clock->now_ms() < start + 30.6) << e.clock->now_ms() - start;
  EXPECT_TRUE(e.clock->slept_ms >= 28.0 && e.clock->spins <= 40)
      << e.clock->slept_ms << " ms slept, " << e.clock->spins;
  e.clock->set_ms(9500);
  e->lib_delay(2.5);
  EXPECT_EQ(e->lib_tickcount(), 9503);
  const int32_t pumps = e.input->pumps;
  e->lib_doevents(3);
  EXPECT_EQ(e.input->pumps, pumps + 3);
  const auto tick_at = [&](double ms) {
    e.clock->set_ms(ms);
    return e->lib_tickcount();
  };
  EXPECT_EQ(tick_at(10000.4), 10000);
  EXPECT_EQ(tick_at(10000.6), 10001);
  EXPECT_TRUE(e->lib_highperformancecountersupport());
  e->lib_setcountertype(false);  // the millisecond clock reads 10000: the time carries on from 10001
  EXPECT_EQ(e->lib_tickcount(), 10001);
  EXPECT_EQ(tick_at(10001.9), 10002);
  EXPECT_EQ(tick_at(9000), 10002);
  recorded_engine without;  // without a counter the millisecond clock is used
  without.clock->counter_supported = false;
  without->init(0, 640, 480, 32);
  EXPECT_FALSE(without->lib_highperformancecountersupport());
  without->lib_setcountertype(true);
  without.clock->set_ms(9000.9);
  EXPECT_EQ(without->lib_tickcount(), 9000);
}

// A show left running for weeks: the clock passes 2^31 and 2^32 ms. Frames, waits, timers and the
// frame rate go on on either source, and the tick count wraps as a 32-bit count does.
TEST(Clock, FramesWaitsAndTimersGoOnAcrossTheTickCountsWraps) {
  for (const double wrap : {2147483648.0, 4294967296.0}) {
    for (const bool counter : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "wrap at " << wrap << (counter ? ", counter" : ", millisecond clock"));
      recorded_engine e;
      e.clock->set_ms(wrap - 3500);  // the warm-up frames take about 2.5 s
      e->init(0, 640, 480, 32);
      e->lib_setcountertype(counter);
      e->timer_init(1);
      e->timer_set(1, 100);
      int timer_reports_after_wrap = 0;
      for (int frame = 0; frame < 1000 && e.clock->now_ms() < wrap + 1500; ++frame) {
        e->scene_begin();
        e.clock->advance_ms(frame % 7 == 0 ? 70 : 5);
        e->scene_end();
        EXPECT_TRUE(e->timedelta >= 0.0f && e->timedelta <= 50.0f) << e->timedelta;
        const bool after_wrap = e.clock->now_ms() > wrap + 200;
        if (e->timer_check(1) && after_wrap) ++timer_reports_after_wrap;
        if (after_wrap && timer_reports_after_wrap == 0) e->framerate = -1;  // must be counted afresh
      }
      EXPECT_TRUE(e.clock->now_ms() >= wrap + 1500 && timer_reports_after_wrap >= 10 && e->framerate > 0)
          << e.clock->now_ms() << " ms, " << timer_reports_after_wrap << " timer reports, " << e->framerate << " fps";
      const double before = e.clock->now_ms();
      e->lib_delay(30);
      EXPECT_NEAR(e.clock->now_ms() - before, 30, 1);
      // Past the wrap: about 1530 less 2^31 (a negative count), or about 1530.
      EXPECT_NEAR(e->lib_tickcount(), static_cast<int32_t>(static_cast<uint32_t>(std::llround(e.clock->now_ms()))), 1);
    }
  }
}

// The two sources may count from different starts (SDL's do); a switch of source under a frame
// cap or in delta mode goes on from the present time: no negative timedelta, no long wait.
TEST(Clock, SwitchingTheSourceNeverMakesTimeJump) {
  for (const int64_t ahead : {int64_t{-5000}, int64_t{5000}}) {
    for (const bool capped : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "millisecond clock " << ahead << " ms ahead" << (capped ? ", capped" : ""));
      started_recorded e;
      e.clock->milliseconds_ahead = ahead;
      e->scene_setframerate(capped ? 30 : 0, !capped);
      e.frame();
      for (int frame = 0; frame < 40; ++frame) {
        if (frame % 10 == 5) e->lib_setcountertype(frame % 20 != 5);
        const double waited = e.frame(2);
        EXPECT_GE(e->timedelta, 0.0f);
        EXPECT_LE(waited, capped ? 33.0 : 50.0);
      }
    }
  }
}

}  // namespace
}  // namespace varnel2d::testing
