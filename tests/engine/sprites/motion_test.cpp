// The motion helpers the behaviours build on: the nine direction codes, the direction between two
// sprites, moving and accelerating by the frame time and the bounds. (The swing angle and the
// length count-down are checked through the behaviours.)
#include <gtest/gtest.h>

#include "engine/sprites/motion.h"

namespace varnel2d {
namespace {

TEST(MotionDirection, SignsOfTheVelocityGiveTheNineCodesAndTowardsASpriteUsesRoundedCentres) {
  const float velocities[9][2] = {{0, -1}, {2, -1}, {0.5f, 0}, {1, 1}, {0, 3}, {-1, 1}, {-1, 0}, {-1, -1}, {0, 0}};
  for (int16_t code = 0; code <= 8; ++code)
    EXPECT_EQ(move_direction(velocities[code][0], velocities[code][1]), code);
  sprite_record from, to;
  from.x = 10.9f;  // Int: 10, centre 10 + 2.5 = 12.5 -> 12
  from.framewidth = 5;
  to.x = 12.0f;  // centre 12 + 0.5 = 12.5 -> 12
  to.framewidth = 1;
  EXPECT_EQ(direction_between(from, to), 8);
  to.y = 3.0f;
  EXPECT_EQ(direction_between(from, to), 4);
  to.x = 14.0f;
  EXPECT_EQ(direction_between(from, to), 3);
}

TEST(MotionSteps, MoveAndAccelerateByTheFrameTimeWithinTheBounds) {
  sprite_record s;
  s.xdir = 1.5f;
  s.ydir = -2.0f;
  s.bvalue1 = 0.5f;
  s.bvalue2 = 1.0f;
  s.xmax = 10.0f;
  s.ymin = -10.0f;
  s.ymax = 10.0f;
  move(s, 2);
  EXPECT_EQ(s.x, 3);
  EXPECT_EQ(s.y, -4);
  accelerate(s, 2);
  EXPECT_EQ(s.xdir, 2.5f);
  EXPECT_EQ(s.ydir, 0);
  EXPECT_FALSE(out_of_bounds(s));
  s.x = 10.001f;
  EXPECT_TRUE(out_of_bounds(s));
  set_direction(s);
  EXPECT_EQ(s.direction, 2);
}

}  // namespace
}  // namespace varnel2d
