// Behaviours at set velocities in the sprite pass: straight moves and shots, pong, wrapping and
// repeating moves, the run round a rectangle, the move to a point, the shake, and the shared
// behaviour state (delay, off, type).
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "direction_watch.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::recorded_sprites;

TEST(StraightMove, RunOutLengthStopsTheMoveAndTheSpriteStaysDrawn) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_enginemove(1, 2, -1, 0, 0, 640, 480, 10);
  EXPECT_EQ(e->sprite_enginegettype(1), 1);
  for (int frame = 1; frame <= 9; ++frame) EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(e->sprite_enginegettype(1), 1);
  EXPECT_EQ(pass(e), 1u);  // length 10 - 10 < 1: stops, still drawn
  EXPECT_EQ(e->sprite_enginegettype(1), 0);
  EXPECT_EQ(where(e, 1), std::make_pair(120.0, 90.0));
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(120.0, 90.0));
  EXPECT_EQ(*e->sprite_getstatus(1), 1);
}

TEST(StraightMove, ShotWithTheSameLengthDisappears) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_engineshoot(1, 90, 2, 0, 0, 640, 480, 10);
  for (int frame = 1; frame <= 9; ++frame) EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(pass(e), 0u);
  EXPECT_EQ(*e->sprite_getstatus(1), 0);
}

TEST(StraightMove, ShotAnglesAreDegreesFromUpClockwise) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_engineshoot(1, 90, 3, 0, 0, 640, 480);
  pass(e);
  EXPECT_FLOAT_EQ(static_cast<float>(e->sprite_getx(1)), 103.0f);
  EXPECT_NEAR(e->sprite_gety(1), 100, 1e-4);
  e.frame_at(2, 100, 100);
  e->sprite_engineshoot(2, 0, 3, 0, 0, 640, 480);
  pass(e);
  EXPECT_NEAR(e->sprite_getx(2), 100, 1e-4);
  EXPECT_FLOAT_EQ(static_cast<float>(e->sprite_gety(2)), 97.0f);
  e.frame_at(3, 100, 100);
  e->sprite_engineshoot(3, 500, 3, 0, 0, 640, 480);  // held to 359: up, a hair to the left
  pass(e);
  EXPECT_LT(e->sprite_getx(3), 100);
  EXPECT_LT(e->sprite_gety(3), 97.01);
}

TEST(StraightMove, ShotAtASpriteHeadsForItAndLeavingTheBoundsSwitchesItOff) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e.frame_at(2, 200, 100);
  e->sprite_engineshootsprite(1, 2, 50, 0, 0, 180, 480);
  pass(e);
  EXPECT_NEAR(e->sprite_getx(1), 150, 1e-3);
  EXPECT_NEAR(e->sprite_gety(1), 100, 1e-3);
  EXPECT_EQ(pass(e), 1u);  // sprite 2 only: 200 is past xmax 180
  EXPECT_EQ(*e->sprite_getstatus(1), 0);
}

TEST(Pong, ReversesAndStepsBackInTheFrameItCrossesABound) {
  recorded_sprites e;
  e.frame_at(1, 98, 50);
  e->sprite_enginepong(1, 3, -2, 0, 0, 100, 100);
  pass(e);  // 101 > 100: xdir -3, back to 98
  EXPECT_EQ(where(e, 1), std::make_pair(98.0, 48.0));
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(95.0, 46.0));
}

TEST(Pong, ReversesOnYAndTheDirectionFollows) {
  recorded_sprites e;
  e.frame_at(1, 50, 1);
  e->sprite_enginepong(1, 0, -2, 0, 0, 100, 100, 5);
  pass(e);  // -1 < 0: ydir 2, back to 1
  EXPECT_EQ(where(e, 1), std::make_pair(50.0, 1.0));
  e->sprite_engineoff(1);  // stops; stays on
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(50.0, 1.0));
  EXPECT_EQ(*e->sprite_getstatus(1), 1);
}

TEST(Wrap, ReappearsAtTheOppositeBound) {
  recorded_sprites e;
  e.frame_at(1, 99, 1);
  e->sprite_enginewrap(1, 2, -2, 0, 0, 100, 100);
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(0.0, 100.0));
  EXPECT_EQ(*e->sprite_getstatus(1), 1);
}

TEST(RepeatMove, ReentersAtARandomPlaceAcrossUnlessWrapIsSet) {
  recorded_sprites e;
  std::set<double> places;
  for (int run = 0; run < 20; ++run) {
    e.frame_at(1, 50, 99);
    e->sprite_enginemoveyrepeat(1, 0, 2, 10, 0, 30, 100);
    pass(e);
    EXPECT_EQ(e->sprite_gety(1), 0);
    EXPECT_GE(e->sprite_getx(1), 10);
    EXPECT_LE(e->sprite_getx(1), 30);
    places.insert(e->sprite_getx(1));
  }
  EXPECT_GT(places.size(), 3u);
  e.frame_at(1, 50, 99);
  e->sprite_enginemoveyrepeat(1, 0, 2, 10, 0, 30, 100, 1);
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(50.0, 0.0));
}

TEST(RepeatMove, AcrossReentersAtTheOtherSideAtARandomHeight) {
  recorded_sprites e;
  e.frame_at(1, 1, 500);
  e->sprite_enginemovexrepeat(1, -2, 0, 0, 40, 100, 60);
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 100);
  EXPECT_GE(e->sprite_gety(1), 40);
  EXPECT_LE(e->sprite_gety(1), 60);
  e.frame_at(2, 1, 500);
  e->sprite_enginemovexrepeat(2, -2, 0, 0, 40, 100, 60, 1);
  pass(e);
  EXPECT_EQ(where(e, 2), std::make_pair(100.0, 500.0));
}

// Positions of `frames` passes of the run round the rectangle 0..20 x 0..10 at 5 a unit.
std::vector<std::pair<double, double>> frame_run(recorded_sprites& e, bool starttopleft, int frames) {
  e.frame_at(1, 300, 300);
  e->sprite_engineframemove(1, 5, 5, 0, 0, 20, 10, starttopleft);
  std::vector<std::pair<double, double>> path{where(e, 1)};
  for (int frame = 0; frame < frames; ++frame) {
    pass(e);
    path.push_back(where(e, 1));
  }
  return path;
}

TEST(FrameMove, FromTheTopLeftItCirclesClockwise) {
  recorded_sprites e;
  const std::vector<std::pair<double, double>> expected = {
      {0, 0}, {5, 0}, {10, 0}, {15, 0}, {20, 0}, {20, 0},  // passing 20 sets it there
      {20, 5}, {20, 10}, {20, 10}, {15, 10}, {10, 10}, {5, 10}, {0, 10}, {0, 10}, {0, 5}, {0, 0}, {0, 0}, {5, 0}};
  EXPECT_EQ(frame_run(e, true, 17), expected);
}

TEST(FrameMove, FromTheBottomRightItCirclesCounterClockwiseAndShowsItsHeading) {
  recorded_sprites e;
  const std::vector<std::pair<double, double>> path = frame_run(e, false, 4);
  EXPECT_EQ(path[0], std::make_pair(20.0, 10.0));
  EXPECT_EQ(path[1], std::make_pair(20.0, 5.0));  // up the right side
  EXPECT_EQ(path[3], std::make_pair(20.0, 0.0));
  EXPECT_EQ(path[4], std::make_pair(15.0, 0.0));  // left along the top
  e->sprite_engineframemove(1, 5, 5, 0, 0, 20, 10, false);
  testing::watch_direction(*e.engine, 1);
  pass(e);
  EXPECT_EQ(testing::direction_of(*e.engine, 1), 0);
  pass(e);
  pass(e);  // the corner: the next leg runs left
  pass(e);
  EXPECT_EQ(testing::direction_of(*e.engine, 1), 6);
}

TEST(MoveToPoint, ArrivesStopsAndHasNoDirection) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_enginemovetoxy(1, 30, 40, 10);  // 50 pixels away at 10 a unit
  int frames = 0;
  while (e->sprite_enginegettype(1) == 10 && frames < 20) {
    pass(e);
    ++frames;
  }
  EXPECT_GE(frames, 5);
  EXPECT_LE(frames, 6);  // rounding may leave the fifth step a hair short
  EXPECT_EQ(where(e, 1), std::make_pair(30.0, 40.0));
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(30.0, 40.0));
  EXPECT_EQ(*e->sprite_getstatus(1), 1);
}

TEST(Shake, AlternatesBetweenItsPlaceAndAPointAtTheShakeDistance) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_engineshake(1, 5, 2);
  pass(e);  // counter 1 < 2
  EXPECT_EQ(where(e, 1), std::make_pair(100.0, 100.0));
  pass(e);  // back to the centre first
  EXPECT_EQ(where(e, 1), std::make_pair(100.0, 100.0));
  pass(e);
  pass(e);  // displaced
  const auto [x, y] = where(e, 1);
  EXPECT_NEAR((x - 100) * (x - 100) + (y - 100) * (y - 100), 25, 1e-3);
  pass(e);
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(100.0, 100.0));
}

TEST(BehaviourDelay, ZeroSwitchesOnAtOnceAndADelayParksTheBehaviour) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_off(1);
  e->sprite_enginedelay(1, 0);
  EXPECT_EQ(*e->sprite_getstatus(1), 1);
  EXPECT_EQ(pass(e), 1u);
  e->sprite_enginemove(1, 1, 0, 0, 0, 640, 480);
  e->sprite_enginedelay(1, 2);
  EXPECT_EQ(e->sprite_enginegetdelay(1), 2);
  EXPECT_EQ(pass(e), 0u);
  EXPECT_EQ(pass(e), 0u);  // wakes up, not yet drawn
  EXPECT_EQ(e->sprite_enginegettype(1), 1);
  EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(e->sprite_getx(1), 101);
}

}  // namespace
}  // namespace varnel2d
