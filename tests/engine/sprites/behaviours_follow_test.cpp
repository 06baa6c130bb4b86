// Behaviours that follow another sprite or the user: tracking, tracking with inertia, riding on a
// sprite, moving by keys, following the cursor, and buttons.
#include <gtest/gtest.h>

#include <utility>

#include "direction_watch.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::recorded_sprites;

constexpr uint8_t key_up = 200, key_left = 203, key_right = 205, key_down = 208;

TEST(Track, StepsTowardsTheTargetOnTheAxesThatDifferAndStopsOnIt) {
  recorded_sprites e;
  e.frame_at(1, 100, 50);
  e.frame_at(2, 94, 50);
  e->sprite_enginetrack(2, 1, 2, 3);
  testing::watch_direction(*e.engine, 2);
  pass(e);
  EXPECT_EQ(where(e, 2), std::make_pair(96.0, 50.0));
  EXPECT_EQ(testing::direction_of(*e.engine, 2), 2);
  pass(e);
  pass(e);
  EXPECT_EQ(where(e, 2), std::make_pair(100.0, 50.0));
  pass(e);  // equal centres: no step
  EXPECT_EQ(where(e, 2), std::make_pair(100.0, 50.0));
  e->sprite_sety(1, 0);
  pass(e);
  EXPECT_EQ(where(e, 2), std::make_pair(100.0, 47.0));
  EXPECT_EQ(testing::direction_of(*e.engine, 2), 0);
}

TEST(TrackWithInertia, SpeedGrowsToItsMaximumAndOvershoots) {
  recorded_sprites e;
  e.frame_at(1, 20, 0);
  e.frame_at(2, 0, 0);
  e->sprite_enginetracki(2, 1, 1, 3, 1, 3);
  pass(e);  // speed 1
  pass(e);  // 2
  pass(e);  // 3
  pass(e);  // held at 3
  EXPECT_EQ(where(e, 2), std::make_pair(9.0, 0.0));
  for (int frame = 0; frame < 4; ++frame) pass(e);
  EXPECT_EQ(e->sprite_getx(2), 21);  // passes the target before turning
  pass(e);
  EXPECT_EQ(e->sprite_getx(2), 23);  // speed 2 after one unit of pull back
}

TEST(Latch, RidesAtItsOffsetAndGoesOffWithItsTarget) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e.frame_at(2, 0, 0);
  e->sprite_enginelatch(2, 1, 5, -7);
  e->sprite_enginemove(1, 2, 0, 0, 0, 640, 480);
  pass(e);  // sprite 2 comes first in the list: it takes sprite 1's place before sprite 1 moves
  EXPECT_EQ(where(e, 2), std::make_pair(105.0, 93.0));
  pass(e);
  EXPECT_EQ(where(e, 2), std::make_pair(107.0, 93.0));
  e->sprite_off(1);
  EXPECT_EQ(pass(e), 0u);
  EXPECT_EQ(*e->sprite_getstatus(2), 0);
}

TEST(Latch, LengthEndsTheRide) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e.frame_at(2, 0, 0);
  e->sprite_enginelatch(2, 1, 0, 0, 2);
  EXPECT_EQ(pass(e), 2u);
  EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(*e->sprite_getstatus(2), 0);
}

TEST(KeyMove, UpAndLeftMoveDiagonallyAndReportLeft) {
  recorded_sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_enginekeymove(1, 2, 3, key_left, key_up, key_right, key_down, 97, 0, 640, 480);
  testing::watch_direction(*e.engine, 1);
  e.input->press(key_up);
  e.input->press(key_left);
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(98.0, 97.0));
  EXPECT_EQ(testing::direction_of(*e.engine, 1), 6);
  pass(e);  // held at xmin 97
  EXPECT_EQ(where(e, 1), std::make_pair(97.0, 94.0));
  e.input->release(key_up);
  e.input->release(key_left);
  e.input->press(key_down);
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(97.0, 97.0));
  EXPECT_EQ(testing::direction_of(*e.engine, 1), 4);
  e.input->release(key_down);
  pass(e);
  EXPECT_EQ(testing::direction_of(*e.engine, 1), 8);
}

TEST(FollowMouse, SitsAtTheCursorPlusItsOffsetInTheWorld) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_enginemouse(1, 4, -6, 0, 0, 640, 480);
  e->mousex = 50;
  e->mousey = 60;
  e->mapx = 1000;
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(1054.0, 54.0));
}

TEST(Button, ShowsItsThreeFramesAndReportsOneClickPerPressReleasedOverIt) {
  recorded_sprites e;
  e->sprite_enginebutton(3, 100, 100, 1, 0, 0, 40, 20);
  e->sprite_setscale(3, 1);
  e->sprite_setalpha(3, 255);
  auto frame_row = [&] {
    e->sprite_animategetframeindex(3);
    return e->rety;
  };
  e->mousex = 10;
  e->mousey = 10;
  pass(e);
  EXPECT_EQ(frame_row(), 0);
  e->mousex = 120;
  e->mousey = 110;
  pass(e);
  EXPECT_EQ(frame_row(), 1);
  e->mousebutton = 1;
  pass(e);
  EXPECT_EQ(frame_row(), 2);
  EXPECT_EQ(e->sprite_enginegetbuttonclicked(), 0);
  e->mousebutton = 0;
  pass(e);
  EXPECT_EQ(frame_row(), 1);
  EXPECT_EQ(e->sprite_enginegetbuttonclicked(), 3);
  EXPECT_EQ(e->sprite_enginegetbuttonclicked(), 0);  // cleared by reading it
  pass(e);
  EXPECT_EQ(e->sprite_enginegetbuttonclicked(), 0);  // still over it: no second click
  e->mousebutton = 2;
  pass(e);
  e->mousex = 10;  // pressed, then moved away: no click
  pass(e);
  e->mousebutton = 0;
  e->mousex = 120;
  pass(e);
  EXPECT_EQ(e->sprite_enginegetbuttonclicked(), 0);
}

}  // namespace
}  // namespace varnel2d
