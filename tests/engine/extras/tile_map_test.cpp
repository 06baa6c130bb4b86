// Tile maps (the geometry, cells and buffers, the camera, the visible window and the cell effects),
// the starfield, tilers and effect tiles.
#include "engine/extras/tile_map.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "engine/angles.h"
#include "engine/extras/background_tiles.h"
#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

// A map of 100 x 100 tiles of 32 x 32 on two textures of 4 x 2 tiles: 20 x 15 tiles fill the screen.
struct map_engine : started_recorded {
  explicit map_engine(int width = 100) {
    load_texture(1, 200, 100);
    load_texture(2, 200, 100);
    engine->map_init(32, 32, width, 100, 200, 100, 4, 2, 2, 3);
  }
  std::pair<float, float> ret() const { return {engine->retx, engine->rety}; }
  const sprite_quad& last() const { return display->quads.back(); }
};

const std::array<float, 721> angles = make_angle_table(engine_pi);

std::array<int32_t, 4> edges(const map_edge_hits& h) { return {h.left, h.top, h.right, h.bottom}; }

// Tile sizes and tiles per texture are held to what the display's largest texture (4096 x 4096 on
// the recording display) can hold, gaps included; any other geometry builds no map. A tile size
// below one changes nothing.
TEST(TileLookup, TilesMustFitTheLargestTexture) {
  const std::array<int, 5> cases[] = {// tile width and height, tiles across and down, whether it fits
                                      {4096, 4096, 1, 1, 1},    {4097, 16, 1, 1, 0},     {16, 4097, 1, 1, 0},
                                      {1, 1, 2048, 2048, 1},    {1, 1, 2049, 1, 0},      {1, 1, 1, 2049, 0},
                                      {31, 15, 128, 256, 1},    {31, 15, 129, 256, 0},   {2147483647, 1, 1, 1, 0},
                                      {1, 1, 2147483647, 1, 0}, {1073741824, 1, 2, 1, 0}};
  for (const auto& [width, height, across, down, fits] : cases) {
    started_recorded e;
    e->map_init(width, height, 2, 2, 0, 0, across, down, 1, 1);
    EXPECT_EQ(e->map_getsourcetilesacross(), fits ? across : 0)
        << width << " x " << height << ", " << across << " x " << down;
  }
  map_engine e;
  e->map_init(0, 32, 10, 10, 0, 0, 1, 1, 1, 1);
  EXPECT_EQ(std::pair(e->map_getsourcetilewidth(), e->map_getwidth()), std::pair(32.0, 100.0));
  e->map_init(32, 32, 10, 10, 0, 0, 1, 1, 1, 0);
  EXPECT_EQ(std::pair(e->map_gethowmanyindexes(), e->map_getpixelwidth()), std::pair(1.0, 320.0));
}

// Tile indexes run through the textures' rows and columns with one-pixel gaps: 6 is texture 1, row 2,
// column 2; 9 the first tile of texture 2 and 16 its last; 17 and the empty cells draw nothing.
TEST(TileMap, CellsDrawTheirTileOutsideCellsReadZeroAndBuffersCopyAtNaturalValues) {
  map_engine e;
  const int tiles[] = {6, 9, 16, 17, 1};
  for (int x = 0; x < 5; ++x) e->map_put(x, 0, tiles[x], 255, 0);
  e->map_drawfast();
  using drawn_tile = std::tuple<image_handle, std::array<int32_t, 4>, std::array<float, 2>, uint32_t>;
  std::vector<drawn_tile> drawn;
  for (const sprite_quad& q : e.display->quads) drawn.emplace_back(q.texture, source_of(q), position_of(q), q.colour);
  const image_handle one = handle_of(e, 1), two = handle_of(e, 2);
  EXPECT_EQ(drawn, (std::vector<drawn_tile>{{one, {33, 33, 65, 65}, {0, 0}, 0xFFFFFFFF},
                                            {two, {0, 0, 32, 32}, {32, 0}, 0xFFFFFFFF},
                                            {two, {99, 33, 131, 65}, {64, 0}, 0xFFFFFFFF},
                                            {one, {0, 0, 32, 32}, {128, 0}, 0xFFFFFFFF}}));
  e->map_put(100, 0, 5, 255, 0);
  e->map_put(-1, 0, 5, 255, 0);
  e->map_putbuffer(4, 0, 0, 7);  // three buffers only
  e->map_putbuffer(3, 99, 99, 7);
  e->map_putatxy(3199.5, 3199.9, 4, 255, 0);
  EXPECT_EQ(std::tuple(e->map_get(100, 0), e->map_getalpha(-1, 0), e->map_getbuffer(4, 0, 0),
                       e->map_getbuffer(3, 99, 99), e->map_getatxy(3200, 0), e->map_get(99, 99)),
            std::tuple(0, 0, 0, 7, 0, 4));
  e->map_putbuffer(2, 3, 4, 12);
  e->map_put(0, 0, 5, 100, 90);
  e->map_setscaling(0, 0, 0.5, 0.1, 0, 1, 0, 3);
  e->map_buffertomap(2);
  EXPECT_EQ(std::tuple(e->map_get(3, 4), e->map_get(0, 0), e->map_getalpha(0, 0), e->map_getrotation(0, 0),
                       e->map_getscale(0, 0), e->map_getscaling(0, 0)),
            std::tuple(12, 0, 255, 0, 1, false));
  e->map_put(1, 1, 6, 255, 0);
  e->map_maptobuffer(1);
  e->map_buffertomap(0);  // outside 1..3: nothing
  EXPECT_EQ(std::tuple(e->map_getbuffer(1, 1, 1), e->map_getbuffer(1, 3, 4), e->map_get(1, 1)), std::tuple(6, 12, 6));
}

// The camera stops at the map's edges; a map narrower than the screen ends at a negative position.
TEST(TileMapCamera, ClampsAtTheEdgesAndFollowsASpriteFromTheNextDraw) {
  map_engine e;
  EXPECT_EQ(edges(e->map_setxy(-5, 10)), (std::array{1, 0, 0, 0}));
  EXPECT_EQ(std::pair(e->mapx, e->mapy), std::pair(0.0f, 10.0f));
  EXPECT_EQ(edges(e->map_setxy(5000, 4000)), (std::array{0, 0, 1, 1}));
  EXPECT_EQ(std::pair(e->mapx, e->mapy), std::pair(3200.0f - 640, 3200.0f - 480));
  EXPECT_EQ(edges(e->map_moveby(-10, 0)), (std::array{0, 0, 0, 0}));
  EXPECT_EQ(e->mapx, 2550.0f);
  e->sprite_init(1);
  e->sprite_on(1, 1000, 800, 1, 0, 0, 0, 0, 32, 32);
  e->map_setcameraonsprite(1);
  e->map_drawfast();
  EXPECT_EQ(std::pair(e->mapx, e->mapy), std::pair(1000.0f - 320, 800.0f - 240));
  map_engine narrow(10);
  EXPECT_EQ(edges(narrow->map_setxy(0, 0)), (std::array{0, 0, 1, 0}));
  EXPECT_EQ(narrow->mapx, 320.0f - 640.0f);
}

// Each cell is drawn with its scale, alpha and rotation about its centre; the camera picks the
// window of cells visited.
TEST(TileMapDraw, EachCellWithItsEffectsAndTheVisibleWindowFromTheCamera) {
  map_engine e;
  e->map_put(2, 1, 1, 128, 800);
  e->map_setscaling(2, 1, 0.5, 0, 0, 1, 0, 0);
  e->map_draw();
  ASSERT_EQ(e.display->quads.size(), 1u);
  const sprite_quad& quad = e.display->quads[0];
  EXPECT_EQ(std::tuple(quad.scale_x, quad.centre_x, quad.colour), std::tuple(0.5f, 8.0f, 0x80FFFFFFu));
  EXPECT_EQ(position_of(quad), (std::array{64.0f + 16 - 8, 32.0f + 16 - 8}));
  EXPECT_EQ(quad.rotation, angles[80]);  // 800 drawn as 80
  e.display->quads.clear();
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) e->map_put(x, y, 1, 255, 0);
  e->map_setxy(40, 40);
  e->map_put(1, 1, 0, 255, 0);
  e->map_drawfast();
  ASSERT_EQ(e.display->quads.size(), 21u * 16u - 1u);
  EXPECT_EQ(position_of(e.display->quads[0]), (std::array{24.0f, -8.0f}));  // cell (2, 1): column 1, offset -8
  EXPECT_EQ(position_of(e.display->quads.back()), (std::array{-8.0f + 20 * 32, -8.0f + 15 * 32}));
}

// A cell emptied by an effect (alpha style 8 below zero, scale style 2, rotation style 5) draws
// nothing from that frame on and stays empty although its tile animation was running: every effect
// of the cell stops with it.
TEST(TileMapDraw, ACellEmptiedByAnEffectStaysEmpty) {
  const std::pair<const char*, std::function<void(Varnel_2D_Engine&)>> switching_off[] = {
      {"alpha style 8", [](Varnel_2D_Engine& m) { m.map_setalphafading(0, 0, 100, -60, 0, 255, 0, 8); }},
      {"scale style 2", [](Varnel_2D_Engine& m) { m.map_setscaling(0, 0, 0.5, 0.1, 0, 1, 2, 2); }},
      {"rotation style 5", [](Varnel_2D_Engine& m) { m.map_setrotating(0, 0, 10, 5, 0, 719, 2, 5); }},
  };
  for (const auto& [name, start] : switching_off) {
    map_engine m;
    m->map_put(0, 0, 1, 255, 0);
    m->map_setanimating(0, 0, 1, 1, 3, 0, 0);
    start(*m.engine);
    m->map_draw();
    EXPECT_EQ(m->map_get(0, 0), 2) << name;
    for (int frame = 2; frame <= 4; ++frame) {
      m.display->quads.clear();
      m->map_draw();
      EXPECT_EQ(m->map_get(0, 0), 0) << name << ", frame " << frame;
      EXPECT_TRUE(m.display->quads.empty()) << name << ", frame " << frame;
    }
    EXPECT_FALSE(m->map_getalphafading(0, 0) || m->map_getscaling(0, 0) || m->map_getrotating(0, 0)) << name;
  }
}

TEST(TileMapEffects, RotationAlphaAnimationAndFacingASprite) {
  map_engine e;
  e->map_put(1, 1, 1, 255, 45);
  e->map_setrotating(1, 1, -1, 700, 0, 1000, 0, 0);  // a start of -1 keeps the rotation
  EXPECT_EQ(std::pair(e->map_getrotation(1, 1), e->map_getrotating(1, 1)), std::pair(45.0, true));
  e->map_setanimating(0, 0, 1.5, 2, 5, 0, 7);
  e->map_draw();
  EXPECT_EQ(e->map_getrotation(1, 1), 0);  // 745 > 719 wraps to the minimum
  e->map_setalphafading(1, 1, 300, 0, -5, 400, 0, 0);
  EXPECT_EQ(e->map_getalpha(1, 1), 300);           // the start is always taken, the limits are held
  std::vector<double> steps = {e->map_get(0, 0)};  // the animation steps 3.5, 5.0, then 6.5 > 5 returns to 2
  for (int frame = 0; frame < 2; ++frame, steps.push_back(e->map_get(0, 0))) e->map_draw();
  EXPECT_EQ(steps, (std::vector<double>{3, 5, 2}));
  e->sprite_init(1);
  e->sprite_on(1, 16 + 200, 16, 1, 0, 0, 0, 0, 32, 32);
  e->map_setrotatetosprite(0, 0, 1);
  e->map_draw();
  EXPECT_EQ(e->map_getrotation(0, 0), 90);
}

TEST(TileMapPoints, SpriteAndMousePointsToCellsAndTheStatisticsLine) {
  map_engine e;
  e->sprite_init(1);
  e->sprite_on(1, 70, 40, 1, 0, 0, 0, 0, 32, 32);
  e->map_getspritetoxy(1, 0, 0);
  EXPECT_EQ(e.ret(), std::pair(2.0f, 1.0f));
  e->map_getspritetoxypixel(1, 0, 0);
  EXPECT_EQ(e.ret(), std::pair(64.0f, 32.0f));
  e->map_getspritetoxy(1, -100, 0);
  EXPECT_EQ(e.ret(), std::pair(-1.0f, -1.0f));
  e->retx = 0;
  e->map_getspritetoxy(2, 0, 0);  // no such sprite
  EXPECT_EQ(e->retx, -1.0f);
  e->map_putatsprite(1, 8, 0, 0);
  EXPECT_EQ(std::pair(e->map_get(2, 1), e->map_getatsprite(1, 0, 0)), std::pair(8.0, 8.0));
  e->map_setxy(100.7, 0);
  e->mousex = 10;
  e->mousey = 40;
  e->map_getmousetoxy();
  EXPECT_EQ(e.ret(), std::pair(3.0f, 1.0f));
  e->map_getmousetoxypixel();
  EXPECT_EQ(e->retx, 96.0f);
  e->map_putatmouse(7, 255, 0);
  EXPECT_EQ(std::pair(e->map_get(3, 1), e->map_getatscreenxy(10, 40)), std::pair(7.0, 7.0));
  e->sceneinfo = true;  // the statistics line shows the camera and the tile under the cursor
  e.display->texts.clear();
  e->scene_end();
  ASSERT_FALSE(e.display->texts.empty());
  EXPECT_NE(e.display->texts.back().text.find(" Map= 100/0 Tile= 7"), std::string::npos)
      << e.display->texts.back().text;
}

TEST(Starfield, OneStarForATotalOfZeroStarsMoveWrapKeepTheirCentreAndTurn) {
  map_engine e;
  e->starfield_init(1, 0, 0, 4, 4, 3, 0, 0, 0, 100, 100);
  e->starfield_set(1, 10, 1, 0, 5, 5, 0, 0);
  e->starfield_set(2, 20, 1, 0, 5, 5, 0, 0);  // no star 2: nothing
  e->starfield_draw(0, 0);
  ASSERT_EQ(e.display->quads.size(), 1u);
  EXPECT_EQ(e.last().colour, 0x0AFFFFFFu);
  e->starfield_init(1, 10, 20, 4, 4, 1, 1, 0, 0, 100, 100);
  e->starfield_set(1, 255, 1, 0, 98, 50, 0, 1);
  e->starfield_draw(2, 0);  // 100: still inside
  EXPECT_EQ(position_of(e.last()), (std::array{100.0f, 50.0f}));
  e->starfield_draw(2, 0);  // 102 > 100 re-enters at the left in the same frame
  EXPECT_EQ(std::pair(e.last().x, e.last().left), std::pair(0.0f, 10));
  e->starfield_set(1, 255, 1, 0, -1, -1, -1, -1);  // -1 keeps position, frame and speed
  e->starfield_draw(0, 0);
  EXPECT_EQ(e.last().x, 0.0f);
  e->starfield_init(1, 10, 20, 8, 6, 4, 1, 0, 0, 100, 100);  // frames sit in a row
  e->starfield_set(1, 255, 2, 5, 50, 40, 2, 0);
  e->starfield_draw(0, 0);
  EXPECT_EQ(std::tuple(e.last().left, e.last().top, position_of(e.last()), e.last().centre_x),
            std::tuple(10 + 2 * 9, 20, std::array{50.0f - 4, 40.0f - 3}, 8.0f));
  for (int frame = 0; frame < 70; ++frame) e->starfield_draw(0, 0);
  EXPECT_EQ(e.last().rotation, angles[355]);
  e->starfield_set(1, 255, 1, 10, -1, -1, -1, -1);
  e->starfield_draw(0, 0);
  EXPECT_EQ(e.last().rotation, angles[0]);  // past 359 becomes 0
  EXPECT_EQ(std::pair(turn_star(355, 10), turn_star(3, -5)), std::pair(0.0f, 359.0f));
}

TEST(Tiler, PiecesAreCutAtTheRectanglesEdgesAlphaIsHeldToTheByteAndScrollingLeftJumpsBack) {
  map_engine e;
  e->tiler_config(1, 1, 100, 50, 32, 32, 10, 20, 100, 50, 200);
  e->tiler_draw(1, 0, 0);
  const std::vector<sprite_quad>& quads = e.display->quads;
  ASSERT_EQ(quads.size(), 8u);  // 4 columns reach into 10..110, 2 rows into 20..70
  EXPECT_EQ(std::tuple(position_of(quads[7]), source_of(quads[7]), quads[7].colour),
            std::tuple(std::array{106.0f, 52.0f}, std::array{100, 50, 104, 68}, 0xC8FFFFFFu));
  e.display->quads.clear();
  e->tiler_draw(1, -5, 0);  // scrolled left: the first piece loses its left side
  EXPECT_EQ(std::tuple(quads[0].x, quads[0].left, quads[0].right), std::tuple(10.0f, 105, 132));
  e->tiler_config(3, 1, 0, 0, 32, 32, 0, 0, 64, 64, 300);
  const double configured = e->tiler_getalpha(3);
  e->tiler_setalpha(3, 300);
  e->tiler_config(65, 1, 0, 0, 32, 32, 0, 0, 64, 64, 10);  // outside 1..64: nothing
  EXPECT_EQ(std::tuple(configured, e->tiler_getalpha(3), e->tiler_getalpha(65)), std::tuple(255, 300, 0));
  e->tiler_config(4, 1, 0, 0, 0, 32, 0, 0, 64, 64, 10);  // no tile width: nothing
  e.display->quads.clear();
  e->tiler_draw(4, 1, 1);
  EXPECT_TRUE(e.display->quads.empty());
  // Scrolling left jumps back once the start is below one tile from the rectangle's left.
  EXPECT_EQ(
      std::tuple(scroll_within_tile(-22, 10, 32), scroll_within_tile(-23, 10, 32), scroll_within_tile(11, 10, 32)),
      std::tuple(-22.0f, 10.0f, -21.0f));
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
  map_engine e;
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
  EXPECT_EQ(std::pair(e.last().rotation, e.last().scale_x), std::pair(angles[363], 1.5f));  // 363 <= 719 goes on
  e->fxtile_draw(2);
  EXPECT_EQ(e.last().scale_x, 1.5f);  // held at the limit
}

}  // namespace
}  // namespace varnel2d::testing
