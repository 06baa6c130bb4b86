// The starfield, tilers and effect tiles on the recording display.
#include "engine/extras/background_tiles.h"

#include <gtest/gtest.h>

#include "engine/angles.h"
#include "extras_fixture.h"

namespace varnel2d {
namespace {

using testing::extras_engine;

struct tiles_engine : extras_engine {
  tiles_engine() { load_texture(1); }
};

TEST(Starfield, TotalZeroGivesOneStar) {
  tiles_engine e;
  e->starfield_init(1, 0, 0, 4, 4, 3, 0, 0, 0, 100, 100);
  e->starfield_draw(0, 0);
  EXPECT_EQ(e.display->quads.size(), 1u);
  e->starfield_set(2, 10, 1, 0, 5, 5, 0, 0);  // no star 2: nothing
  e->starfield_set(1, 10, 1, 0, 5, 5, 0, 0);
  e.display->quads.clear();
  e->starfield_draw(0, 0);
  ASSERT_EQ(e.display->quads.size(), 1u);
  EXPECT_EQ(e.display->quads[0].colour, 0x0AFFFFFFu);
}

TEST(Starfield, AStarPastTheRightEdgeReentersAtTheLeftInTheSameFrame) {
  tiles_engine e;
  e->starfield_init(1, 10, 20, 4, 4, 1, 1, 0, 0, 100, 100);
  e->starfield_set(1, 255, 1, 0, 98, 50, 0, 1);
  e->starfield_draw(2, 0);  // 100: still inside
  EXPECT_EQ(e.display->quads.back().x, 100.0f);
  EXPECT_EQ(e.display->quads.back().y, 50.0f);
  e->starfield_draw(2, 0);  // 102 > 100
  EXPECT_EQ(e.display->quads.back().x, 0.0f);
  EXPECT_EQ(e.display->quads.back().left, 10);
  e->starfield_set(1, 255, 1, 0, -1, -1, -1, -1);  // -1 keeps position, frame and speed
  e->starfield_draw(0, 0);
  EXPECT_EQ(e.display->quads.back().x, 0.0f);
}

TEST(Starfield, ScaledStarsKeepTheirCentreAndFramesSitInARow) {
  tiles_engine e;
  e->starfield_init(1, 10, 20, 8, 6, 4, 1, 0, 0, 100, 100);
  e->starfield_set(1, 255, 2, 0, 50, 40, 2, 0);
  e->starfield_draw(0, 0);
  const sprite_quad& quad = e.display->quads.back();
  EXPECT_EQ(quad.left, 10 + 2 * 9);
  EXPECT_EQ(quad.top, 20);
  EXPECT_EQ(quad.x, 50.0f - 4);
  EXPECT_EQ(quad.y, 40.0f - 3);
  EXPECT_EQ(quad.centre_x, 8.0f);
}

TEST(Starfield, RotationPast359BecomesZero) {
  EXPECT_EQ(turn_star(355, 10), 0.0f);
  EXPECT_EQ(turn_star(3, -5), 359.0f);
  tiles_engine e;
  e->starfield_init(1, 0, 0, 4, 4, 1, 1, 0, 0, 100, 100);
  e->starfield_set(1, 255, 1, 5, 50, 50, 0, 0);
  for (int frame = 0; frame < 71; ++frame) e->starfield_draw(0, 0);
  const std::array<float, 721> angles = make_angle_table(engine_pi);
  EXPECT_EQ(e.display->quads.back().rotation, angles[355]);
  e->starfield_set(1, 255, 1, 10, -1, -1, -1, -1);
  e->starfield_draw(0, 0);
  EXPECT_EQ(e.display->quads.back().rotation, angles[0]);
}

TEST(Tiler, PiecesAreCutAtTheRectanglesEdges) {
  tiles_engine e;
  e->tiler_config(1, 1, 100, 50, 32, 32, 10, 20, 100, 50, 200);
  e->tiler_draw(1, 0, 0);
  const std::vector<sprite_quad>& quads = e.display->quads;
  ASSERT_EQ(quads.size(), 8u);  // 4 columns reach into 10..110, 2 rows into 20..70
  const sprite_quad& corner = quads[7];
  EXPECT_EQ(corner.x, 106.0f);
  EXPECT_EQ(corner.y, 52.0f);
  EXPECT_EQ(corner.left, 100);
  EXPECT_EQ(corner.top, 50);
  EXPECT_EQ(corner.right, 104);
  EXPECT_EQ(corner.bottom, 68);
  EXPECT_EQ(corner.colour, 0xC8FFFFFFu);
  e.display->quads.clear();
  e->tiler_draw(1, -5, 0);  // scrolled left: the first piece loses its left side
  EXPECT_EQ(quads[0].x, 10.0f);
  EXPECT_EQ(quads[0].left, 105);
  EXPECT_EQ(quads[0].right, 132);
}

TEST(Tiler, ScrollingLeftJumpsBackOnceBelowOneTileFromTheStart) {
  EXPECT_EQ(scroll_within_tile(-22, 10, 32), -22.0f);
  EXPECT_EQ(scroll_within_tile(-23, 10, 32), 10.0f);
  EXPECT_EQ(scroll_within_tile(11, 10, 32), -21.0f);
  tiles_engine e;
  e->tiler_config(1, 1, 0, 0, 32, 32, 10, 0, 100, 32, 255);
  for (int frame = 0; frame < 30; ++frame) e->tiler_draw(1, -1, 0);
  e.display->quads.clear();
  e->tiler_draw(1, -1, 0);  // x = -21: a one-pixel sliver of the first tile
  EXPECT_EQ(e.display->quads[0].left, 31);
  e.display->quads.clear();
  e->tiler_draw(1, -1, 0);  // -22
  e.display->quads.clear();
  e->tiler_draw(1, -1, 0);  // -23 is below: back at 10, no sliver
  EXPECT_EQ(e.display->quads[0].left, 0);
  EXPECT_EQ(e.display->quads[0].x, 10.0f);
}

TEST(Tiler, ConfiguredAlphaIsHeldToTheByteButSetAlphaIsNot) {
  tiles_engine e;
  e->tiler_config(3, 1, 0, 0, 32, 32, 0, 0, 64, 64, 300);
  EXPECT_EQ(e->tiler_getalpha(3), 255);
  e->tiler_setalpha(3, 300);
  EXPECT_EQ(e->tiler_getalpha(3), 300);
  e->tiler_config(65, 1, 0, 0, 32, 32, 0, 0, 64, 64, 10);  // outside 1..64: nothing
  EXPECT_EQ(e->tiler_getalpha(65), 0);
  e->tiler_config(4, 1, 0, 0, 0, 32, 0, 0, 64, 64, 10);  // no tile width: nothing
  e->tiler_draw(4, 1, 1);
  EXPECT_TRUE(e.display->quads.empty());
}

TEST(EffectTile, TheShadowIsDrawnFirstInBlackAtTheShadowAlpha) {
  tiles_engine e;
  e->fxtile_config(1, 100, 100, 1, 5, 6, 32, 32, 255, 2, 90);
  e->fxtile_setshadow(1, 128, 4, 6, true);
  e->fxtile_draw(1);
  ASSERT_EQ(e.display->quads.size(), 2u);
  const sprite_quad& shadow = e.display->quads[0];
  const sprite_quad& tile = e.display->quads[1];
  EXPECT_EQ(shadow.colour, 0x80000000u);
  EXPECT_EQ(shadow.x, 100.0f - 32 + 4);
  EXPECT_EQ(shadow.y, 100.0f - 32 + 6);
  EXPECT_EQ(tile.colour, 0xFFFFFFFFu);
  EXPECT_EQ(tile.x, 68.0f);
  EXPECT_EQ(tile.left, 5);
  EXPECT_EQ(tile.right, 37);
  EXPECT_EQ(tile.scale_x, 2.0f);
  EXPECT_EQ(tile.centre_x, 32.0f);
  EXPECT_EQ(tile.rotation, make_angle_table(engine_pi)[90]);
  e->fxtile_setshadow(1, 128, 4, 6);  // state left out: off
  e.display->quads.clear();
  e->fxtile_draw(1);
  EXPECT_EQ(e.display->quads.size(), 1u);
}

TEST(EffectTile, AlphaStyleEightWithANegativeStepSwitchesItOffUndrawn) {
  tiles_engine e;
  e->fxtile_config(1, 50, 50, 1, 0, 0, 16, 16, 30, 1, 0);
  e->fxtile_setalphafading(1, -1, -20, 0, 255, 0, 8);
  e->fxtile_draw(1);
  EXPECT_EQ(e.display->quads.size(), 1u);  // 10: still drawn
  e->fxtile_draw(1);                       // -10 < 0: off
  e->fxtile_draw(1);
  EXPECT_EQ(e.display->quads.size(), 1u);
}

TEST(EffectTile, EffectsAdvanceWithTheSharedStyles) {
  tiles_engine e;
  e->fxtile_config(2, 50, 50, 1, 0, 0, 16, 16, 255, 1, 358);
  e->fxtile_setrotating(2, -1, 5, 0, 1000, 0, 0);
  e->fxtile_setscaling(2, 1, 0.5, 0.5, 1.5, 0, 6);
  e->fxtile_draw(2);
  const sprite_quad& quad = e.display->quads.back();
  EXPECT_EQ(quad.rotation, make_angle_table(engine_pi)[363]);  // 363 <= 719 keeps going
  EXPECT_EQ(quad.scale_x, 1.5f);
  e->fxtile_draw(2);
  EXPECT_EQ(e.display->quads.back().scale_x, 1.5f);  // held at the limit
}

}  // namespace
}  // namespace varnel2d
