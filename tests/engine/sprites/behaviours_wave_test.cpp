// Swinging and circling behaviours run by the sprite pass: the cosine-sway fall of the snowflakes
// and its kin.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/angles.h"
#include "sprite_engine.h"

namespace brisenfall {
namespace {

using testing::recorded_sprites;

// Runs one pass and returns how many quads it drew.
size_t pass(recorded_sprites& e) {
  e.display->quads.clear();
  e->sprites_draw();
  return e.display->quads.size();
}

// A flake as the snow starts it: top-left origin, falling inside a wide area.
void start_flake(recorded_sprites& e, double sprite, double x, bool startright, double length = 0) {
  e.frame_at(sprite, x, -100);
  e->sprite_engineycos(sprite, 0.5, 20, 0.05, -170, -250, 680, 480, startright, length);
}

TEST(SwayFall, StartsAtItsOwnXAndReachesTheFullSwingWhenTheAngleWraps) {
  recorded_sprites e;
  start_flake(e, 1, 100, true);
  EXPECT_EQ(e->sprite_enginegettype(1), 7);
  pass(e);
  EXPECT_NEAR(e->sprite_getx(1), 100 + std::cos(4.7f) * 20, 1e-4);  // about 99.75
  double widest = 0;
  int widest_frame = 0;
  double previous = e->sprite_getx(1);
  for (int frame = 2; frame <= 40; ++frame) {
    pass(e);
    const double x = e->sprite_getx(1);
    if (frame <= 31) {
      EXPECT_GT(x, previous) << "frame " << frame;  // right first
    }
    previous = x;
    if (x > widest) {
      widest = x;
      widest_frame = frame;
    }
  }
  EXPECT_NEAR(widest, 120, 0.01);
  EXPECT_GE(widest_frame, 32);
  EXPECT_LE(widest_frame, 33);
}

TEST(SwayFall, AngleWrapsPastTwoPiAfterThirtyTwoUnits) {
  recorded_sprites e;
  start_flake(e, 1, 100, true);
  // 4.7 + 0.05 k passes 2 pi at k = 32; the swing then goes on from near 0.
  for (int frame = 1; frame <= 31; ++frame) pass(e);
  pass(e);
  const double x_after_wrap = e->sprite_getx(1);
  pass(e);
  EXPECT_NEAR(x_after_wrap, 100 + 20 * std::cos(4.7f + 31 * 0.05f), 1e-3);
  EXPECT_NEAR(e->sprite_getx(1), 100 + 20 * std::cos(4.7f + 32 * 0.05f - 2 * engine_pi), 1e-3);
}

TEST(SwayFall, WithoutStartRightItSwingsLeftFirst) {
  recorded_sprites e;
  start_flake(e, 1, 100, false);
  pass(e);
  const double first = e->sprite_getx(1);
  EXPECT_NEAR(first, 100.25, 0.01);
  for (int frame = 0; frame < 10; ++frame) pass(e);
  EXPECT_LT(e->sprite_getx(1), first - 5);
}

TEST(SwayFall, FallsAtItsSpeedTimesTimedeltaAndHeadsDown) {
  recorded_sprites e;
  start_flake(e, 1, 100, true);
  EXPECT_EQ(e->sprite_getx(1), 100);  // starting moves nothing
  pass(e);
  EXPECT_DOUBLE_EQ(e->sprite_gety(1), -99.5);
  e->timedelta = 16;
  pass(e);
  EXPECT_DOUBLE_EQ(e->sprite_gety(1), -91.5);
}

TEST(SwayFall, PastTheBottomItIsOffThatFrameNotDrawnAndItsSlotIsFree) {
  recorded_sprites e(5);
  for (double sprite = 2; sprite <= 4; ++sprite) start_flake(e, sprite, 100, true);
  e->sprite_sety(3, 479.7);  // the next step of 0.5 passes ymax 480
  EXPECT_EQ(e->sprite_get1availablerange(2, 4), 0);
  EXPECT_EQ(pass(e), 2u);
  EXPECT_EQ(*e->sprite_getstatus(3), 0);
  EXPECT_FLOAT_EQ(static_cast<float>(e->sprite_gety(3)), 480.2f);  // the last position stays readable
  EXPECT_EQ(e->sprite_get1availablerange(2, 4), 3);
  EXPECT_EQ(pass(e), 2u);
}

TEST(SwayFall, ExactlyOnTheBoundStaysOn) {
  recorded_sprites e;
  start_flake(e, 1, 100, true);
  e->sprite_sety(1, 479.5);
  EXPECT_EQ(pass(e), 1u);  // y = 480 is still inside
  EXPECT_EQ(pass(e), 0u);
}

TEST(SwayFall, LengthEndsTheFall) {
  recorded_sprites e;
  start_flake(e, 1, 100, true, 3);
  EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(pass(e), 0u);  // 3 - 3 < 1
  EXPECT_EQ(*e->sprite_getstatus(1), 0);
}

TEST(SwayFall, MovingTheSpriteMovesTheCentreOfItsSwing) {
  recorded_sprites e;
  start_flake(e, 1, 100, true);
  pass(e);
  const double before = e->sprite_getx(1);
  e->sprite_addtopos(1, 50, 0);
  pass(e);
  EXPECT_NEAR(e->sprite_getx(1), before + 50, 1.5);  // one more small step of the swing
}

}  // namespace
}  // namespace brisenfall
