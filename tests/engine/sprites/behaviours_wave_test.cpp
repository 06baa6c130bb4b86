// Swinging and circling behaviours run by the sprite pass: the cosine-sway fall of the snowflakes
// and its kin.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/angles.h"
#include "direction_watch.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::recorded_sprites;

// Runs one pass and returns how many quads it drew.
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

TEST(SineSwing, MovesAcrossAndStartDownSwingsDownFirst) {
  recorded_sprites e;
  e.frame_at(1, 0, 100);
  e->sprite_enginexsin(1, 2, 10, 0.1, -10, 0, 640, 480, true);
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 2);
  EXPECT_NEAR(e->sprite_gety(1), 100 + 10 * std::sin(4.7f), 1e-4);  // the top of the swing
  const double top = e->sprite_gety(1);
  pass(e);
  EXPECT_GT(e->sprite_gety(1), top);
  e.frame_at(2, 0, 100);
  e->sprite_enginexsin(2, 2, 10, 0.1, -10, 0, 640, 480, false);  // turn -1: from the bottom, up
  pass(e);
  EXPECT_NEAR(e->sprite_gety(2), 110, 1e-3);
  pass(e);
  EXPECT_LT(e->sprite_gety(2), 110);
}

TEST(SineSwing, OffOutsideTheBounds) {
  recorded_sprites e;
  e.frame_at(1, 0, 100);
  e->sprite_enginexsin(1, 2, 10, 0.1, -10, 0, 3, 480, true);
  EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(pass(e), 0u);  // x 4 > 3
}

TEST(SwayFallRepeat, ReentersAtTheTopWithANewSwingCentreUnlessWrapIsSet) {
  recorded_sprites e;
  e.frame_at(1, 100, 99);
  e->sprite_engineycosrepeat(1, 2, 5, 0.1, 10, 0, 30, 100, true);
  pass(e);
  EXPECT_EQ(e->sprite_gety(1), 0);
  const double x = e->sprite_getx(1);
  EXPECT_GE(x, 10);
  EXPECT_LE(x, 30);
  pass(e);  // swings about the new centre
  EXPECT_NEAR(e->sprite_getx(1), x, 5.1);
  EXPECT_EQ(*e->sprite_getstatus(1), 1);
  e.frame_at(2, 100, 99);
  e->sprite_engineycosrepeat(2, 2, 5, 0.1, 10, 0, 30, 100, true, 1);
  pass(e);
  EXPECT_EQ(e->sprite_gety(2), 0);
  EXPECT_NEAR(e->sprite_getx(2), 100, 0.1);
}

TEST(SineSwingRepeat, ReentersAtTheLeftAtARandomHeight) {
  recorded_sprites e;
  e.frame_at(1, 99, 500);
  e->sprite_enginexsinrepeat(1, 2, 5, 0.1, 0, 40, 100, 60, true);
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 0);
  EXPECT_GE(e->sprite_gety(1), 40);
  EXPECT_LE(e->sprite_gety(1), 60);
  e.frame_at(2, 99, 500);
  e->sprite_enginexsinrepeat(2, 2, 5, 0.1, 0, 40, 100, 60, true, 1);
  pass(e);
  EXPECT_EQ(e->sprite_getx(2), 0);
  EXPECT_NEAR(e->sprite_gety(2), 495, 0.01);
}

TEST(OrbitStill, CirclesItsPlaceAtItsRadius) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_engineorbitstill(1, 10, 0.2, true, 0);
  for (int frame = 0; frame < 40; ++frame) {
    pass(e);
    const double dx = e->sprite_getx(1) - 100, dy = e->sprite_gety(1) - 100;
    EXPECT_NEAR(dx * dx + dy * dy, 100, 1e-2);
  }
  EXPECT_EQ(e->sprite_enginegettype(1), 21);
}

TEST(OrbitMove, CarriesItsCentreAndIsOffOutsideTheBounds) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_engineorbitmove(1, 10, 0.2, 3, 0, 0, 0, 200, 200, false, 0);
  for (int frame = 0; frame < 5; ++frame) pass(e);
  // Five frames: the centre is at 112 (moved after each circle step), the sprite 10 from it.
  const double dx = e->sprite_getx(1) - 112, dy = e->sprite_gety(1) - 100;
  EXPECT_NEAR(dx * dx + dy * dy, 100, 1e-2);
  e->sprite_engineorbitmove(1, 10, 0.2, 3, 0, 0, 0, 120, 200, false, 0);
  size_t drawn = 1;
  for (int frame = 0; frame < 20 && drawn == 1; ++frame) drawn = pass(e);
  EXPECT_EQ(*e->sprite_getstatus(1), 0);
}

TEST(OrbitSprite, CirclesTheTargetsCentreAndTheRadiusGrows) {
  recorded_sprites e;
  e->sprite_on(1, 200, 200, 1, 0, 0, 0, 0, 32, 32, true);  // centre 216, 216
  e.frame_at(2, 0, 0);                                     // 16 x 16: placed by its own centre
  e->sprite_engineorbit(2, 1, 20, 0.1, 0, 0, 0, true, 0, 5, 3, false);
  pass(e);  // sprite 2 drawn first (list position 9), sprite 1 later
  auto radius = [&] {
    const double dx = e->sprite_getx(2) + 8 - 216, dy = e->sprite_gety(2) + 8 - 216;
    return std::sqrt(dx * dx + dy * dy);
  };
  EXPECT_NEAR(radius(), 20, 1e-3);
  pass(e);
  pass(e);  // the growth interval 3 ends on the third frame: 25 from the fourth
  EXPECT_NEAR(radius(), 20, 1e-3);
  pass(e);
  EXPECT_NEAR(radius(), 25, 1e-3);
}

TEST(OrbitSprite, StylesKeepOneTermAndTurnOffFollowsTheTarget) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e.frame_at(2, 0, 0);
  e->sprite_engineorbit(2, 1, 20, 0.1, 5, -5, 1, true, 0, 0, 0, true);  // across only
  pass(e);
  EXPECT_FLOAT_EQ(static_cast<float>(e->sprite_gety(2)), 95.0f);
  e.frame_at(3, 0, 0);
  e->sprite_engineorbit(3, 1, 20, 0.1, 5, -5, 2, true, 0, 0, 0, false);  // up and down only
  pass(e);
  EXPECT_FLOAT_EQ(static_cast<float>(e->sprite_getx(3)), 105.0f);
  e->sprite_off(1);
  EXPECT_EQ(pass(e), 1u);  // sprite 2 goes off with its target; sprite 3 does not
  EXPECT_EQ(*e->sprite_getstatus(2), 0);
  EXPECT_EQ(*e->sprite_getstatus(3), 1);
}

TEST(BossMove, TurnsAtTheSidesAndItsCentreHeadsForTheTargetHeight) {
  recorded_sprites e;
  e.frame_at(1, 95, 100);
  e->sprite_enginebossmove1(1, 10, 5, 4, 0.1, 0, 0, 100, 300, 112, true);
  testing::watch_direction(*e.engine, 1);
  pass(e);  // 105 >= 100: back to 100, heading left
  EXPECT_EQ(e->sprite_getx(1), 100);
  EXPECT_EQ(testing::direction_of(*e.engine, 1), 6);
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 90);
  for (int frame = 0; frame < 10; ++frame) pass(e);
  // The centre went 105, 110, 112 and stays; the swing keeps within 4 of it.
  EXPECT_NEAR(e->sprite_gety(1), 112, 4.01);
  EXPECT_GT(e->sprite_gety(1), 107);
  EXPECT_EQ(e->sprite_enginegettype(1), 33);
}

}  // namespace
}  // namespace varnel2d
