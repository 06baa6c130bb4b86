// Tile maps: the lookup, cells and buffers, the camera, the visible window and the cell effects.
#include "engine/extras/tile_map.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/angles.h"
#include "extras_fixture.h"

namespace varnel2d {
namespace {

using testing::extras_engine;

// A map of 100 x 100 tiles of 32 x 32 on textures of 4 x 2 tiles: 20 x 15 tiles fill the screen.
struct map_engine : extras_engine {
  map_engine(int width = 100, int height = 100) {
    load_texture(1);
    load_texture(2, "tiles2.png");
    engine->map_init(32, 32, width, height, 200, 100, 4, 2, 2, 3);
  }
  void fill(int value) {
    for (int y = 0; y < engine->map_getheight(); ++y)
      for (int x = 0; x < engine->map_getwidth(); ++x) engine->map_put(x, y, value, 255, 0);
  }
};

TEST(TileLookup, RunsThroughTexturesRowsAndColumnsWithOnePixelGaps) {
  map_geometry g;
  g.tile_width = g.tile_height = 32;
  g.sourcetilesacross = 4;
  g.sourcetilesdown = 2;
  g.howmanymaptextures = 2;
  const std::optional<tile_source> sixth = tile_source_of(g, 6);  // texture 1, row 2, column 2
  ASSERT_TRUE(sixth);
  EXPECT_EQ(sixth->x, 33);
  EXPECT_EQ(sixth->y, 33);
  EXPECT_EQ(sixth->texture, 1);
  const std::optional<tile_source> ninth = tile_source_of(g, 9);  // the first tile of texture 2
  ASSERT_TRUE(ninth);
  EXPECT_EQ(ninth->x, 0);
  EXPECT_EQ(ninth->y, 0);
  EXPECT_EQ(ninth->texture, 2);
  EXPECT_EQ(tile_source_of(g, 16)->x, 99);
  EXPECT_FALSE(tile_source_of(g, 17));
  EXPECT_FALSE(tile_source_of(g, 0));
}

// Tile sizes and tiles per texture are held to what the display's largest texture (4096 x 4096 on
// the recording display) can hold, gaps included; any other geometry builds no map.
TEST(TileLookup, TilesMustFitTheLargestTexture) {
  struct geometry {
    int tile_width, tile_height, across, down;
    bool fits;
  };
  const geometry cases[] = {
      {4096, 4096, 1, 1, true},     {4097, 16, 1, 1, false},      {16, 4097, 1, 1, false},
      {1, 1, 2048, 2048, true},     {1, 1, 2049, 1, false},       {1, 1, 1, 2049, false},
      {31, 15, 128, 256, true},     {31, 15, 129, 256, false},    {2147483647, 1, 1, 1, false},
      {1, 1, 2147483647, 1, false}, {1073741824, 1, 2, 1, false},
  };
  for (const geometry& c : cases) {
    testing::extras_engine e;
    e->map_init(c.tile_width, c.tile_height, 2, 2, 0, 0, c.across, c.down, 1, 1);
    EXPECT_EQ(e->map_getsourcetilesacross(), c.fits ? c.across : 0)
        << c.tile_width << " x " << c.tile_height << ", " << c.across << " x " << c.down;
  }
}

TEST(TileMap, TileIndexesDrawFromTheirTextureAndEmptyCellsDrawNothing) {
  map_engine e;
  e->map_put(0, 0, 9, 255, 0);
  e->map_put(1, 0, 1, 255, 0);
  e->map_drawfast();
  ASSERT_EQ(e.display->quads.size(), 2u);
  const sprite_quad first = e.display->quads[0];
  const sprite_quad second = e.display->quads[1];
  EXPECT_EQ(first.texture, e.handle_of(2));
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.right, 32);
  EXPECT_EQ(second.texture, e.handle_of(1));
  EXPECT_EQ(second.left, 0);
  EXPECT_EQ(second.top, 0);
  EXPECT_EQ(second.x, 32.0f);
  EXPECT_EQ(second.colour, 0xFFFFFFFFu);
}

TEST(TileMap, CellsAndBuffersOutsideTheMapDoNothingAndReadZero) {
  map_engine e;
  e->map_put(100, 0, 5, 255, 0);
  e->map_put(-1, 0, 5, 255, 0);
  EXPECT_EQ(e->map_get(100, 0), 0);
  EXPECT_EQ(e->map_getalpha(-1, 0), 0);
  e->map_putbuffer(4, 0, 0, 7);  // three buffers only
  EXPECT_EQ(e->map_getbuffer(4, 0, 0), 0);
  e->map_putbuffer(3, 99, 99, 7);
  EXPECT_EQ(e->map_getbuffer(3, 99, 99), 7);
  EXPECT_EQ(e->map_getatxy(3200, 0), 0);
  e->map_putatxy(3199.5, 3199.9, 4, 255, 0);
  EXPECT_EQ(e->map_get(99, 99), 4);
}

TEST(TileMap, BuffersCopyToAndFromTheLiveMapAtNaturalValues) {
  map_engine e;
  e->map_putbuffer(2, 3, 4, 12);
  e->map_put(0, 0, 5, 100, 90);
  e->map_setscaling(0, 0, 0.5, 0.1, 0, 1, 0, 3);
  e->map_buffertomap(2);
  EXPECT_EQ(e->map_get(3, 4), 12);
  EXPECT_EQ(e->map_get(0, 0), 0);
  EXPECT_EQ(e->map_getalpha(0, 0), 255);
  EXPECT_EQ(e->map_getrotation(0, 0), 0);
  EXPECT_EQ(e->map_getscale(0, 0), 1);
  EXPECT_FALSE(e->map_getscaling(0, 0));
  e->map_put(1, 1, 6, 255, 0);
  e->map_maptobuffer(1);
  EXPECT_EQ(e->map_getbuffer(1, 1, 1), 6);
  EXPECT_EQ(e->map_getbuffer(1, 3, 4), 12);
  e->map_buffertomap(0);  // outside 1..3: nothing
  EXPECT_EQ(e->map_get(1, 1), 6);
}

TEST(TileMap, ATileSizeBelowOneDoesNothing) {
  map_engine e;
  e->map_init(0, 32, 10, 10, 0, 0, 1, 1, 1, 1);
  EXPECT_EQ(e->map_getsourcetilewidth(), 32);
  EXPECT_EQ(e->map_getwidth(), 100);
  e->map_init(32, 32, 10, 10, 0, 0, 1, 1, 1, 0);
  EXPECT_EQ(e->map_gethowmanyindexes(), 1);
  EXPECT_EQ(e->map_getpixelwidth(), 320);
}

TEST(TileMapCamera, ClampsAtTheLeftAndTheRightEdges) {
  map_engine e;
  map_edge_hits hits = e->map_setxy(-5, 10);
  EXPECT_EQ(e->mapx, 0.0f);
  EXPECT_EQ(e->mapy, 10.0f);
  EXPECT_EQ(hits.left, 1);
  EXPECT_EQ(hits.top + hits.right + hits.bottom, 0);
  hits = e->map_setxy(5000, 4000);
  EXPECT_EQ(e->mapx, 3200.0f - 640.0f);
  EXPECT_EQ(e->mapy, 3200.0f - 480.0f);
  EXPECT_EQ(hits.right, 1);
  EXPECT_EQ(hits.bottom, 1);
  hits = e->map_moveby(-10, 0);
  EXPECT_EQ(e->mapx, 2550.0f);
  EXPECT_EQ(hits.right + hits.left, 0);
}

TEST(TileMapCamera, AMapNarrowerThanTheScreenEndsAtANegativePosition) {
  map_engine e(10, 100);
  const map_edge_hits hits = e->map_setxy(0, 0);
  EXPECT_EQ(e->mapx, 320.0f - 640.0f);
  EXPECT_EQ(hits.right, 1);
  EXPECT_EQ(hits.left, 0);
}

TEST(TileMapCamera, FollowsASpriteFromTheNextDraw) {
  map_engine e;
  e->sprite_init(1);
  e->sprite_on(1, 1000, 800, 1, 0, 0, 0, 0, 32, 32);
  e->map_setcameraonsprite(1);
  e->map_drawfast();
  EXPECT_EQ(e->mapx, 1000.0f - 320.0f);
  EXPECT_EQ(e->mapy, 800.0f - 240.0f);
}

TEST(TileMapDraw, VisitsTheVisibleWindowOfCellsFromTheCamera) {
  map_engine e;
  e.fill(1);
  e->map_setxy(40, 40);
  e->map_put(1, 1, 0, 255, 0);
  e->map_drawfast();
  ASSERT_EQ(e.display->quads.size(), 21u * 16u - 1u);
  EXPECT_EQ(e.display->quads[0].x, 24.0f);  // cell (2, 1): column 1 on screen, offset -8
  EXPECT_EQ(e.display->quads[0].y, -8.0f);
  EXPECT_EQ(e.display->quads.back().x, -8.0f + 20 * 32);
  EXPECT_EQ(e.display->quads.back().y, -8.0f + 15 * 32);
}

TEST(TileMapDraw, DrawsEachCellWithItsScaleAlphaAndRotationAboutItsCentre) {
  map_engine e;
  e->map_put(2, 1, 1, 128, 800);
  e->map_setscaling(2, 1, 0.5, 0, 0, 1, 0, 0);
  e->map_draw();
  ASSERT_EQ(e.display->quads.size(), 1u);
  const sprite_quad& quad = e.display->quads[0];
  EXPECT_EQ(quad.scale_x, 0.5f);
  EXPECT_EQ(quad.centre_x, 8.0f);
  EXPECT_EQ(quad.x, 64.0f + 16 - 8);
  EXPECT_EQ(quad.y, 32.0f + 16 - 8);
  EXPECT_EQ(quad.colour, 0x80FFFFFFu);
  EXPECT_EQ(quad.rotation, make_angle_table(engine_pi)[80]);  // 800 drawn as 80
}

TEST(TileMapDraw, AlphaStyleEightEmptiesTheCellAndDrawsNothingThatFrame) {
  map_engine e;
  e->map_put(0, 0, 1, 255, 0);
  e->map_put(1, 0, 1, 255, 0);
  e->map_setalphafading(0, 0, 100, -60, 0, 255, 0, 8);
  e->map_draw();
  EXPECT_EQ(e->map_get(0, 0), 1);
  EXPECT_EQ(e->map_getalpha(0, 0), 40);
  e.display->quads.clear();
  e->map_draw();
  EXPECT_EQ(e->map_get(0, 0), 0);
  EXPECT_FALSE(e->map_getalphafading(0, 0));
  ASSERT_EQ(e.display->quads.size(), 1u);
  EXPECT_EQ(e.display->quads[0].x, 32.0f);
}

// The cell an effect empties stays empty although its tile animation was running: every effect of
// the cell stops with it.
TEST(TileMapDraw, ACellEmptiedByAnEffectStaysEmpty) {
  const std::pair<const char*, std::function<void(Varnel_2D_Engine&)>> switching_off[] = {
      {"alpha style 8", [](Varnel_2D_Engine& m) { m.map_setalphafading(0, 0, 100, -60, 0, 255, 0, 8); }},
      {"scale style 2", [](Varnel_2D_Engine& m) { m.map_setscaling(0, 0, 0.5, 0.1, 0, 1, 2, 2); }},
      {"rotation style 5", [](Varnel_2D_Engine& m) { m.map_setrotating(0, 0, 10, 5, 0, 719, 2, 5); }},
  };
  for (const auto& [name, start] : switching_off) {
    map_engine e;
    e->map_put(0, 0, 1, 255, 0);
    e->map_setanimating(0, 0, 1, 1, 3, 0, 0);
    start(*e.engine);
    e->map_draw();
    EXPECT_EQ(e->map_get(0, 0), 2) << name;
    for (int frame = 2; frame <= 4; ++frame) {
      e.display->quads.clear();
      e->map_draw();
      EXPECT_EQ(e->map_get(0, 0), 0) << name << ", frame " << frame;
      EXPECT_TRUE(e.display->quads.empty()) << name << ", frame " << frame;
    }
    EXPECT_FALSE(e->map_getalphafading(0, 0) || e->map_getscaling(0, 0) || e->map_getrotating(0, 0)) << name;
  }
}

TEST(TileMapEffects, RotationStartsAtMinusOneKeepTheRotationAndLimitsAreHeld) {
  map_engine e;
  e->map_put(1, 1, 1, 255, 45);
  e->map_setrotating(1, 1, -1, 700, 0, 1000, 0, 0);
  EXPECT_EQ(e->map_getrotation(1, 1), 45);
  EXPECT_TRUE(e->map_getrotating(1, 1));
  e->map_setxy(0, 0);
  e->map_draw();
  EXPECT_EQ(e->map_getrotation(1, 1), 0);  // 745 > 719 wraps to the minimum
  e->map_setalphafading(1, 1, 300, 0, -5, 400, 0, 0);
  EXPECT_EQ(e->map_getalpha(1, 1), 300);  // the start is always taken, the limits are held
}

TEST(TileMapEffects, AnimationStepsTheTileIndexAndReturnsToItsStart) {
  map_engine e;
  e->map_setanimating(0, 0, 1.5, 2, 5, 0, 7);
  const std::vector<double> expected = {3, 5, 2};  // 3.5, 5.0, then 6.5 > 5 returns to 2
  for (double value : expected) {
    e->map_draw();
    EXPECT_EQ(e->map_get(0, 0), value);
  }
}

TEST(TileMapEffects, RotationFacesASprite) {
  map_engine e;
  e->sprite_init(1);
  e->sprite_on(1, 16 + 200, 16, 1, 0, 0, 0, 0, 32, 32);
  e->map_setrotatetosprite(0, 0, 1);
  e->map_draw();
  EXPECT_EQ(e->map_getrotation(0, 0), 90);
}

TEST(TileMapPoints, SpriteAndMousePointsToCells) {
  map_engine e;
  e->sprite_init(1);
  e->sprite_on(1, 70, 40, 1, 0, 0, 0, 0, 32, 32);
  e->map_getspritetoxy(1, 0, 0);
  EXPECT_EQ(e->retx, 2.0f);
  EXPECT_EQ(e->rety, 1.0f);
  e->map_getspritetoxypixel(1, 0, 0);
  EXPECT_EQ(e->retx, 64.0f);
  EXPECT_EQ(e->rety, 32.0f);
  e->map_getspritetoxy(1, -100, 0);
  EXPECT_EQ(e->retx, -1.0f);
  EXPECT_EQ(e->rety, -1.0f);
  e->map_getspritetoxy(2, 0, 0);  // no such sprite
  EXPECT_EQ(e->retx, -1.0f);
  e->map_putatsprite(1, 8, 0, 0);
  EXPECT_EQ(e->map_get(2, 1), 8);
  EXPECT_EQ(e->map_getatsprite(1, 0, 0), 8);
  e->map_setxy(100, 0);
  e->mousex = 10;
  e->mousey = 40;
  e->map_getmousetoxy();
  EXPECT_EQ(e->retx, 3.0f);
  EXPECT_EQ(e->rety, 1.0f);
  e->map_getmousetoxypixel();
  EXPECT_EQ(e->retx, 96.0f);
  e->map_putatmouse(9, 255, 0);
  EXPECT_EQ(e->map_get(3, 1), 9);
  EXPECT_EQ(e->map_getatscreenxy(10, 40), 9);
}

TEST(TileMapStatistics, TheStatisticsLineShowsTheCameraAndTheTileUnderTheCursor) {
  map_engine e;
  e->map_put(3, 1, 7, 255, 0);
  e->map_setxy(100.7, 0);
  e->sceneinfo = true;
  e->mousex = 10;
  e->mousey = 40;
  e.display->texts.clear();
  e->scene_end();
  ASSERT_FALSE(e.display->texts.empty());
  const std::string& line = e.display->texts.back().text;
  EXPECT_NE(line.find(" Map= 100/0 Tile= 7"), std::string::npos) << line;
}

}  // namespace
}  // namespace varnel2d
