// Frame timers: counting frames in frame mode, clamping of indexes and counts.
#include <gtest/gtest.h>

#include <varnel2d/testing/engine_on_doubles.h>

namespace varnel2d {
namespace {

// An engine in frame mode (timedelta 1) with a fast cap, after one frame to settle timedelta.
struct frame_mode_engine : testing::recorded_engine {
  frame_mode_engine() {
    engine->init(0, 640, 480, 32);
    engine->scene_setframerate(1000, false);
    frame();
  }
  void frame() {
    engine->scene_begin();
    engine->scene_end();
  }
};

TEST(Timers, CountFramesAndReportOnceThePeriodIsExceeded) {
  frame_mode_engine e;
  e->timer_init(1);
  e->timer_set(1, 30);
  std::vector<int> due;
  for (int frame = 1; frame <= 70; ++frame) {
    e.frame();
    if (e->timer_check(1)) due.push_back(frame);
  }
  EXPECT_EQ(due, (std::vector<int>{31, 62}));
}

TEST(Timers, StoppedTimerIsNeverDue) {
  frame_mode_engine e;
  e->timer_init(1);
  e->timer_set(1, 2);
  e->timer_off(1);
  for (int frame = 0; frame < 5; ++frame) e.frame();
  EXPECT_FALSE(e->timer_check(1));
  e->timer_on(1);  // restarts from zero
  for (int frame = 0; frame < 2; ++frame) e.frame();
  EXPECT_FALSE(e->timer_check(1));
  e.frame();
  EXPECT_TRUE(e->timer_check(1));
}

TEST(Timers, InitAboveTheCapacityGivesOneHundred) {
  frame_mode_engine e;
  e->timer_init(150);
  e->timer_set(150, 2);  // clamped to timer 100
  e->timer_set(99, 1000);
  for (int frame = 0; frame < 3; ++frame) e.frame();
  EXPECT_TRUE(e->timer_check(100));
  EXPECT_FALSE(e->timer_check(99));
}

TEST(Timers, NegativeInitGivesNoneAndEveryIndexAddressesTimerOne) {
  frame_mode_engine e;
  e->timer_init(-3);
  e->timer_set(5, 0);
  for (int frame = 0; frame < 3; ++frame) e.frame();
  EXPECT_FALSE(e->timer_check(1));  // no timers in use: nothing advances
  e->timer_init(2);
  e->timer_set(7, 1);  // clamped to timer 2
  e->timer_set(-4, 100);  // clamped to timer 1
  for (int frame = 0; frame < 2; ++frame) e.frame();
  EXPECT_TRUE(e->timer_check(2));
  EXPECT_FALSE(e->timer_check(1));
}

TEST(Timers, InDeltaModeCountMilliseconds) {
  testing::recorded_engine e;
  e->init(0, 640, 480, 32);
  e->timer_init(1);
  e->timer_set(1, 100);
  int frames = 0;
  while (!e->timer_check(1) && frames < 100) {
    e->scene_begin();
    e.clock->advance_ms(20);
    e->scene_end();
    ++frames;
  }
  EXPECT_GE(frames, 3);
  EXPECT_LE(frames, 6);
}

}  // namespace
}  // namespace varnel2d
