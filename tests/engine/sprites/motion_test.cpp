// The direction codes the behaviours build on: the nine codes from the signs of a velocity and the
// direction between two sprites. (Moving, accelerating, the bounds, the swing angle and the length
// count-down are checked through the behaviours.)
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

}  // namespace
}  // namespace varnel2d
