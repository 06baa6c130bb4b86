// Collision: box, rectangle and circle overlap, sprite boxes in both forms, circles, the array
// forms, self-collision, collidestatus, and the cursor over an area or a sprite.
#include <gtest/gtest.h>

#include <vector>

#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::recorded_sprites;

TEST(CollideShapes, BoxesShareAPixelRectanglesExcludeTheirFarEdgesAndTouchingCirclesCollide) {
  recorded_sprites e;
  EXPECT_TRUE(e->lib_collide(0, 0, 10, 10, 9, 9, 5, 5));
  EXPECT_FALSE(e->lib_collide(0, 0, 10, 10, 10, 0, 5, 5));
  EXPECT_FALSE(e->lib_collide(0, 0, 10, 10, 0, 10, 5, 5));
  EXPECT_FALSE(e->lib_collide(10, 0, 5, 5, 0, 0, 10, 10));
  EXPECT_FALSE(e->lib_collide(0, 10, 5, 5, 0, 0, 10, 10));
  EXPECT_TRUE(e->lib_collideapi({0, 0, 10, 10}, {9, 9, 20, 20}));
  EXPECT_FALSE(e->lib_collideapi({0, 0, 10, 10}, {10, 0, 20, 10}));
  EXPECT_FALSE(e->lib_collideapi({0, 0, 10, 10}, {5, 5, 5, 8}));  // empty
  EXPECT_TRUE(e->lib_collidecircle(0, 0, 5, 10, 0, 5));
  EXPECT_FALSE(e->lib_collidecircle(0, 0, 5, 10.01, 0, 5));
  EXPECT_TRUE(e->lib_collidecircle(0, 0, 5, 6, 8, 5));
}

TEST(CollideSprites, PlainBoxScalesOnlyItsSizeAndOriginBoxStartsAtTheDrawnCorner) {
  recorded_sprites e(3);
  e.frame_at(1, 100, 100);
  e->sprite_setscale(1, 2);
  e->sprite_setcollidebox(1, 3, 3, 10, 10);  // covers 103..122
  e->sprite_on(2, 122, 122, 1, 0, 0, 0, 0, 1, 1, true);
  EXPECT_EQ(e->sprite_collidebox(1, 2, 2), 2);
  e->sprite_setxy(2, 123, 110);
  EXPECT_EQ(e->sprite_collidebox(1, 2, 2), 0);
  e->sprite_setxy(2, 102, 110);
  EXPECT_EQ(e->sprite_collidebox(1, 2, 2), 0);
  e->sprite_on(3, 100, 100, 1, 0, 0, 0, 0, 32, 32);  // centre origin: box from 84 to 115
  e->sprite_setxy(2, 84, 84);
  EXPECT_EQ(e->sprite_collideboxorigin(3, 2, 2), 2);
  EXPECT_EQ(e->sprite_collidebox(3, 2, 2), 0);  // the plain box starts at 100
  e->sprite_setxy(2, 83, 100);
  EXPECT_EQ(e->sprite_collideboxorigin(3, 2, 2), 0);
  e->sprite_setxy(2, 115, 115);
  EXPECT_EQ(e->sprite_collideboxorigin(3, 2, 2), 2);
  EXPECT_TRUE(e->sprite_collideoverarea(3, 115, 115, 1, 1));
  EXPECT_FALSE(e->sprite_collideoverarea(3, 116, 100, 5, 5));
}

TEST(CollideSprites, FindsItselfAndTheFirstInAscendingOrderButNeverTheNotCollidableOrOff) {
  recorded_sprites e(10);
  for (int32_t n = 5; n <= 7; ++n) e.frame_at(n, 0, 0);
  EXPECT_EQ(e->sprite_collidebox(5, 1, 10), 5);
  EXPECT_EQ(e->sprite_collidebox(5, 6, 10), 6);
  EXPECT_EQ(e->sprite_collidecircle(7, 1, 10), 5);
  EXPECT_EQ(e->sprite_collidebox(5, 8, 10), 0);
  e->sprite_setcollidestatus(6, false);
  EXPECT_EQ(e->sprite_collidebox(5, 6, 6), 0);
  EXPECT_EQ(e->sprite_collidebox(6, 5, 5), 0);
  EXPECT_EQ(e->sprite_collidecircle(6, 5, 5), 0);
  EXPECT_FALSE(e->sprite_collideoverarea(6, 0, 0, 10, 10));
  e->sprite_off(7);
  EXPECT_EQ(e->sprite_collideboxorigin(5, 7, 7), 0);
}

TEST(CollideSprites, CircleUsesThePositionAndTheScaledRadiusHalfTheFrameWidthRoundedToEven) {
  recorded_sprites e(5);
  e.frame_at(1, 0, 0);  // radius 8, centre taken as (0, 0) even for a top-left origin
  e.frame_at(2, 20, 0);
  EXPECT_EQ(e->sprite_collidecircle(1, 2, 2), 0);
  e->sprite_setscale(1, 1.5);  // 12 + 8 reaches 20
  EXPECT_EQ(e->sprite_collidecircle(1, 2, 2), 2);
  e->sprite_on(3, 0, 0, 1, 0, 0, 0, 0, 5, 9);
  e->sprite_on(4, 100, 100, 1, 0, 0, 0, 0, 7, 9);
  e->sprite_on(5, 4.5, 0, 1, 0, 0, 0, 0, 1, 1);
  e->sprite_setcollideradius(5, 2);  // centres 4.5 apart: 2 + 2 is too short, 2.5 would reach
  EXPECT_EQ(e->sprite_collidecircle(3, 5, 5), 0);
  e->sprite_setxy(5, 4, 0);
  EXPECT_EQ(e->sprite_collidecircle(3, 5, 5), 5);
  e->sprite_setxy(5, 105.5, 100);  // sprite 4: 7 / 2 = 3.5 rounds to 4, so 4 + 2 reaches 5.5
  EXPECT_EQ(e->sprite_collidecircle(4, 5, 5), 5);
}

TEST(CollideSprites, ArrayFormsWriteOnlyTheRange) {
  recorded_sprites e(5);
  for (int32_t n = 1; n <= 4; ++n) e.frame_at(n, n == 3 ? 200 : 0, 0);
  std::vector<uint8_t> hits(6, 7);
  e->sprite_collideboxoriginarray(1, 2, 4, hits);
  EXPECT_EQ(hits, (std::vector<uint8_t>{7, 7, 1, 0, 1, 7}));
  e->sprite_collidecirclearray(1, 1, 5, hits);
  EXPECT_EQ(hits, (std::vector<uint8_t>{7, 1, 1, 0, 1, 0}));
  e->sprite_off(1);
  e->sprite_collidecirclearray(1, 2, 3, hits);
  EXPECT_EQ(hits, (std::vector<uint8_t>{7, 1, 0, 0, 1, 0}));
}

TEST(CollideCursor, AreaAndHighestNumberedSpriteInWorldCoordinates) {
  recorded_sprites e(4);
  e->mousex = 50;
  e->mousey = 50;
  EXPECT_TRUE(e->mouse_overarea(50, 50, 10, 10));
  EXPECT_TRUE(e->mouse_overarea(40, 40, 10, 10));  // the cursor box starts at 49
  EXPECT_FALSE(e->mouse_overarea(51, 51, 10, 10));
  EXPECT_EQ(e->mouse_oversprite(), 0);
  e.frame_at(1, 40, 40);
  e.frame_at(3, 45, 45);
  e.frame_at(4, 300, 300);
  EXPECT_EQ(e->mouse_oversprite(), 3);
  e->mapx = 250;
  e->mapy = 250;
  EXPECT_EQ(e->mouse_oversprite(), 4);
}

}  // namespace
}  // namespace varnel2d
