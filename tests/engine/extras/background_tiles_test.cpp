// The starfield, tilers and effect tiles on the recording display.
#include "engine/extras/background_tiles.h"

#include <gtest/gtest.h>

#include <tuple>

#include "engine/angles.h"
#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

struct tiles_engine : started_recorded {
  tiles_engine() { load_texture(1, 200, 100); }
  const sprite_quad& last() const { return display->quads.back(); }
};

const std::array<float, 721> angles = make_angle_table(engine_pi);

TEST(Starfield, TotalZeroGivesOneStarAndSetChangesOnlyExistingStars) {
  tiles_engine e;
  e->starfield_init(1, 0, 0, 4, 4, 3, 0, 0, 0, 100, 100);
  e->starfield_set(1, 10, 1, 0, 5, 5, 0, 0);
  e->starfield_set(2, 20, 1, 0, 5, 5, 0, 0);  // no star 2: nothing
  e->starfield_draw(0, 0);
  ASSERT_EQ(e.display->quads.size(), 1u);
  EXPECT_EQ(e.last().colour, 0x0AFFFFFFu);
}

TEST(Starfield, StarsMoveWrapKeepTheirCentreWhenScaledAndTurn) {
  tiles_engine e;
  e->starfield_init(1, 10, 20, 4, 4, 1, 1, 0, 0, 100, 100);
  e->starfield_set(1, 255, 1, 0, 98, 50, 0, 1);
  e->starfield_draw(2, 0);  // 100: still inside
  EXPECT_EQ(position_of(e.last()), (std::array{100.0f, 50.0f}));
  e->starfield_draw(2, 0);  // 102 > 100 re-enters at the left in the same frame
  EXPECT_EQ(e.last().x, 0.0f);
  EXPECT_EQ(e.last().left, 10);
  e->starfield_set(1, 255, 1, 0, -1, -1, -1, -1);  // -1 keeps position, frame and speed
  e->starfield_draw(0, 0);
  EXPECT_EQ(e.last().x, 0.0f);
  e->starfield_init(1, 10, 20, 8, 6, 4, 1, 0, 0, 100, 100);  // frames sit in a row
  e->starfield_set(1, 255, 2, 5, 50, 40, 2, 0);
  e->starfield_draw(0, 0);
  EXPECT_EQ(source_of(e.last())[0], 10 + 2 * 9);
  EXPECT_EQ(source_of(e.last())[1], 20);
  EXPECT_EQ(position_of(e.last()), (std::array{50.0f - 4, 40.0f - 3}));
  EXPECT_EQ(e.last().centre_x, 8.0f);
  for (int frame = 0; frame < 70; ++frame) e->starfield_draw(0, 0);
  EXPECT_EQ(e.last().rotation, angles[355]);
  e->starfield_set(1, 255, 1, 10, -1, -1, -1, -1);
  e->starfield_draw(0, 0);
  EXPECT_EQ(e.last().rotation, angles[0]);  // past 359 becomes 0
  EXPECT_EQ(turn_star(355, 10), 0.0f);
  EXPECT_EQ(turn_star(3, -5), 359.0f);
}

TEST(Tiler, PiecesAreCutAtTheRectanglesEdgesAndTheConfiguredAlphaIsHeldToTheByte) {
  tiles_engine e;
  e->tiler_config(1, 1, 100, 50, 32, 32, 10, 20, 100, 50, 200);
  e->tiler_draw(1, 0, 0);
  const std::vector<sprite_quad>& quads = e.display->quads;
  ASSERT_EQ(quads.size(), 8u);  // 4 columns reach into 10..110, 2 rows into 20..70
  EXPECT_EQ(position_of(quads[7]), (std::array{106.0f, 52.0f}));
  EXPECT_EQ(source_of(quads[7]), (std::array{100, 50, 104, 68}));
  EXPECT_EQ(quads[7].colour, 0xC8FFFFFFu);
  e.display->quads.clear();
  e->tiler_draw(1, -5, 0);  // scrolled left: the first piece loses its left side
  EXPECT_EQ(quads[0].x, 10.0f);
  EXPECT_EQ(source_of(quads[0])[0], 105);
  EXPECT_EQ(source_of(quads[0])[2], 132);
  e->tiler_config(3, 1, 0, 0, 32, 32, 0, 0, 64, 64, 300);
  EXPECT_EQ(e->tiler_getalpha(3), 255);
  e->tiler_setalpha(3, 300);
  EXPECT_EQ(e->tiler_getalpha(3), 300);
  e->tiler_config(65, 1, 0, 0, 32, 32, 0, 0, 64, 64, 10);  // outside 1..64: nothing
  EXPECT_EQ(e->tiler_getalpha(65), 0);
  e->tiler_config(4, 1, 0, 0, 0, 32, 0, 0, 64, 64, 10);  // no tile width: nothing
  e.display->quads.clear();
  e->tiler_draw(4, 1, 1);
  EXPECT_TRUE(e.display->quads.empty());
}

TEST(Tiler, ScrollingLeftJumpsBackOnceBelowOneTileFromTheStart) {
  EXPECT_EQ(scroll_within_tile(-22, 10, 32), -22.0f);
  EXPECT_EQ(scroll_within_tile(-23, 10, 32), 10.0f);
  EXPECT_EQ(scroll_within_tile(11, 10, 32), -21.0f);
  tiles_engine e;
  e->tiler_config(1, 1, 0, 0, 32, 32, 10, 0, 100, 32, 255);
  std::vector<std::pair<int32_t, float>> firsts;  // the first piece's left and x from frame 31 on
  for (int frame = 1; frame <= 33; ++frame) {
    e.display->quads.clear();
    e->tiler_draw(1, -1, 0);
    if (frame >= 31) firsts.emplace_back(e.display->quads[0].left, e.display->quads[0].x);
  }
  // x = -21: a one-pixel sliver of the first tile; -22; -23 is below: back at 10, no sliver
  EXPECT_EQ(firsts, (std::vector<std::pair<int32_t, float>>{{31, 10.0f}, {0, 10.0f}, {0, 10.0f}}));
}

TEST(EffectTile, TheShadowIsDrawnFirstAndEffectsAdvanceWithTheSharedStyles) {
  tiles_engine e;
  e->fxtile_config(1, 100, 100, 1, 5, 6, 32, 32, 255, 2, 90);
  e->fxtile_setshadow(1, 128, 4, 6, true);
  e->fxtile_draw(1);
  ASSERT_EQ(e.display->quads.size(), 2u);
  const sprite_quad &shadow = e.display->quads[0], &tile = e.display->quads[1];
  EXPECT_EQ(shadow.colour, 0x80000000u);
  EXPECT_EQ(position_of(shadow), (std::array{100.0f - 32 + 4, 100.0f - 32 + 6}));
  EXPECT_EQ(std::tuple(tile.colour, tile.x, tile.left, tile.right, tile.scale_x, tile.centre_x, tile.rotation),
            std::tuple(0xFFFFFFFFu, 68.0f, 5, 37, 2.0f, 32.0f, angles[90]));
  e->fxtile_setshadow(1, 128, 4, 6);  // state left out: off
  e.display->quads.clear();
  e->fxtile_draw(1);
  EXPECT_EQ(e.display->quads.size(), 1u);
  e.display->quads.clear();
  e->fxtile_config(1, 50, 50, 1, 0, 0, 16, 16, 30, 1, 0);
  e->fxtile_setalphafading(1, -1, -20, 0, 255, 0, 8);  // style 8 with a negative step switches it off
  e->fxtile_draw(1);
  EXPECT_EQ(e.display->quads.size(), 1u);  // 10: still drawn
  e->fxtile_draw(1);                       // -10 < 0: off, undrawn
  e->fxtile_draw(1);
  EXPECT_EQ(e.display->quads.size(), 1u);
  e->fxtile_config(2, 50, 50, 1, 0, 0, 16, 16, 255, 1, 358);
  e->fxtile_setrotating(2, -1, 5, 0, 1000, 0, 0);
  e->fxtile_setscaling(2, 1, 0.5, 0.5, 1.5, 0, 6);
  e->fxtile_draw(2);
  EXPECT_EQ(e.last().rotation, angles[363]);  // 363 <= 719 keeps going
  EXPECT_EQ(e.last().scale_x, 1.5f);
  e->fxtile_draw(2);
  EXPECT_EQ(e.last().scale_x, 1.5f);  // held at the limit
}

}  // namespace
}  // namespace varnel2d::testing
