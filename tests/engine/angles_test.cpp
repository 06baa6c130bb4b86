// Angle and direction tables, angles between points and movement towards an angle.
#include <gtest/gtest.h>

#include "engine/angles.h"
#include <varnel2d/testing/engine_on_doubles.h>

namespace varnel2d {
namespace {

TEST(AngleTable, TurnsClockwiseDegreesIntoCounterClockwiseRadians) {
  const auto table = make_angle_table(engine_pi);
  EXPECT_NEAR(table[90], 4.712389f, 1e-6f);  // 270 degrees
  EXPECT_EQ(table[450], table[90]);
  EXPECT_EQ(table[0], 0.0f);
  EXPECT_EQ(table[360], 0.0f);
  EXPECT_EQ(table[720], 0.0f);
  EXPECT_NEAR(table[1], 359 * engine_pi / 180, 1e-6);
}

TEST(DirectionTable, SectorsAreCentredOnUp) {
  const auto table = make_direction_table();
  EXPECT_EQ(table[21], 0);
  EXPECT_EQ(table[22], 1);
  EXPECT_EQ(table[66], 1);
  EXPECT_EQ(table[67], 2);
  EXPECT_EQ(table[336], 7);
  EXPECT_EQ(table[337], 0);
  EXPECT_EQ(table[359], 0);
  EXPECT_EQ(table[360], 0);
}

TEST(AngleIndex, RoundsDownAndWrapsOutsideTheTable) {
  EXPECT_EQ(angle_index(89.9), 89);
  EXPECT_EQ(angle_index(720), 720);
  EXPECT_EQ(angle_index(721), 1);
  EXPECT_EQ(angle_index(-90), 270);
}

TEST(EngineAngles, GetAngleGivesClockwiseDegreesFromUp) {
  testing::recorded_engine engine;
  EXPECT_EQ(engine->lib_getangle(0, 0, 10, 0), 90);
  EXPECT_EQ(engine->lib_getangle(0, 10, 0, 0), 360);
  EXPECT_EQ(engine->lib_getangle(0, 0, 0, 10), 180);
  EXPECT_EQ(engine->lib_getangle(10, 0, 0, 0), 270);
  EXPECT_EQ(engine->lib_getangle(5, 5, 5, 5), 360);
  EXPECT_EQ(engine->lib_getangle(0, 0, 10, -5), 63);  // up and to the right, rounded down
}

TEST(EngineAngles, GetADirectionClampsTheAngle) {
  testing::recorded_engine engine;
  engine->lib_getadirection(0, 5);
  EXPECT_NEAR(engine->retx, 0, 1e-5);
  EXPECT_NEAR(engine->rety, -5, 1e-5);
  engine->lib_getadirection(90, 5);
  EXPECT_NEAR(engine->retx, 5, 1e-5);
  EXPECT_NEAR(engine->rety, 0, 1e-5);
  engine->lib_getadirection(359, 5);
  const float x359 = engine->retx, y359 = engine->rety;
  engine->lib_getadirection(400, 5);
  EXPECT_EQ(engine->retx, x359);
  EXPECT_EQ(engine->rety, y359);
  EXPECT_LT(x359, 0);  // just left of straight up
}

}  // namespace
}  // namespace varnel2d
