// The per-frame sprite pass: the numbers of each draw on the recording display, shadows, the
// camera, delays, the dispatch guard, and real pixels on the headless display.
#include <gtest/gtest.h>

#include <tuple>

#include "engine/angles.h"
#include "engine/sprites/behaviour_table.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::headless_sprites;
using testing::recorded_sprites;

// Where a quad lands and its colour; its source rectangle.
std::tuple<float, float, uint32_t> place(const sprite_quad& q) { return {q.x, q.y, q.colour}; }
std::tuple<int32_t, int32_t, int32_t, int32_t> source(const sprite_quad& q) {
  return {q.left, q.top, q.right, q.bottom};
}

// Sprite 1 scaled and turned; sprite 2, drawn first, with a shadow. Both 32 x 32, centred on (100, 100).
TEST(SpritePassDraw, CentreOriginScaledSpriteTurnsAboutItsScaledCentreAndAShadowComesFirstInBlack) {
  recorded_sprites e(2);
  e->sprite_on(1, 100, 100, 1, 0, 0, 0, 0, 32, 32);
  e->sprite_setscale(1, 2);
  e->sprite_setrotate(1, 90);
  e->sprite_on(2, 100, 100, 1, 0, 0, 0, 0, 32, 32);
  e->sprite_setshadow(2, 90.7, 3, 4, true);
  e->sprite_setalpha(2, 127.9);
  e->sprite_setrgb(2, 10, 20, 30);
  ASSERT_EQ(pass(e), 3u);
  const auto quads = e.display->quads;
  EXPECT_EQ(place(quads[0]), std::tuple(84.0f + 3, 84.0f + 4, 0x5A000000u));  // the shadow at its own alpha
  EXPECT_EQ(place(quads[1]), std::tuple(84.0f, 84.0f, 0x7F0A141Eu));
  const sprite_quad& q = quads[2];
  EXPECT_EQ(place(q), std::tuple(68.0f, 68.0f, 0xFFFFFFFFu));
  EXPECT_EQ(std::tuple(q.centre_x, q.centre_y, q.scale_x, q.scale_y), std::tuple(32.0f, 32.0f, 2.0f, 2.0f));
  EXPECT_EQ(q.rotation, make_angle_table(engine_pi)[90]);
  EXPECT_EQ(source(q), std::tuple(0, 0, 32, 32));
  e->sprite_setshadow(2, 90, 3, 4);  // state omitted: off
  EXPECT_EQ(pass(e), 2u);
}

TEST(SpritePassDraw, OddFrameHalvesAreWholeNumbersAndTheFrameGridHasAOnePixelGap) {
  recorded_sprites e(2);
  e->sprite_on(1, 100, 100, 1, 0, 0, 0, 0, 15, 9);
  e->sprite_setscale(1, 1.5);  // 22.5 -> 22 (even), 13.5 -> 14
  e->sprite_on(2, 0, 0, 1, 0, 3, 2, 1, 16, 16, true);
  ASSERT_EQ(pass(e), 2u);
  const auto& quads = e.display->quads;  // sprite 2, then 1
  // Centre 1.5 * (15 \ 2) and 1.5 * (9 \ 2).
  EXPECT_EQ(std::tuple(quads[1].x, quads[1].y, quads[1].centre_x, quads[1].centre_y),
            std::tuple(89.0f, 93.0f, 10.5f, 6.0f));
  EXPECT_EQ(source(quads[0]), std::tuple(34, 20, 50, 36));
}

TEST(SpritePassDraw, CameraIsTakenOffRoundedDownAndOffSpritesAndEmptyTexturesDrawNothing) {
  recorded_sprites e(3);
  e.frame_at(1, 100.25, 50);
  e->sprite_on(2, 0, 0, 7, 0, 0, 0, 0, 16, 16);  // texture 7 was never loaded
  e->mapx = 10.5f;
  e->mapy = -3.0f;
  ASSERT_EQ(pass(e), 1u);
  EXPECT_EQ(place(e.display->quads[0]), std::tuple(89.0f, 53.0f, 0xFFFFFFFFu));
  e->sprite_off(1);
  EXPECT_EQ(pass(e), 0u);
}

TEST(SpritePassDelay, WakingSpriteShowsUpTheFrameAfterAndFractionalFrameTimesRoundTheCountDown) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_enginefadeonfadeoff(1, 5, 100);
  e->sprite_enginedelay(1, 3);
  for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(pass(e), 0u);
  EXPECT_EQ(e->sprite_getstatus(1), 1);
  EXPECT_EQ(e->sprite_getalpha(1), 0);  // woke without running its effects
  ASSERT_EQ(pass(e), 1u);
  EXPECT_EQ(e.display->quads[0].colour >> 24, 5u);  // the pending behaviour and its fade run before the draw
  e->sprite_enginedelay(1, 2);
  e->timedelta = 0.5f;  // 2 - 0.5 = 1.5 -> 2 (even): it never runs out at this rate
  for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(pass(e), 0u);
  EXPECT_EQ(e->sprite_enginegetdelay(1), 2);
  e->timedelta = 1.5f;  // 2 - 1.5 = 0.5 -> 0: wakes
  pass(e);
  EXPECT_EQ(e->sprite_getstatus(1), 1);
}

// Only filled slots inside the behaviour codes run. Bad indexes inside a sprite's own data: the
// sprite's behaviour ends where it is, every sprite is still drawn, and the log names each sprite
// and its operation once.
TEST(SpritePassFaults, UnknownCodesDoNotRunAndBadDataEndsTheSpritesBehaviourWhileThePassGoesOn) {
  for (const int32_t code : {-1, 0, 6, 20, 36}) EXPECT_EQ(behaviour_for(code), nullptr) << code;
  EXPECT_NE(behaviour_for(35), nullptr);
  recorded_sprites e(5);
  for (int sprite = 1; sprite <= 5; ++sprite) e.frame_at(sprite, 100, 100);
  e->sprite_engineydrop(1, 0, 5, 0, 0, 0, 50, 0, 1, 0);  // lands at once, on animation 0
  e->sprite_enginexdrop(2, 5, 0, 0, 0, 0, 50, 0, 1, 0);
  ASSERT_TRUE(e->sprite_offsetset(1, 3, "1,0,1,0,1,0", ""));
  e->sprite_engineoffset(3, 1, 0, 0, 1, 0, 0, 3);  // starts at the last of three points
  e->sprite_engineoffset(4, 1, 0, 0, 1, 0, 0, 8);  // starts beyond them
  std::vector<std::pair<double, double>> first;
  for (int frame = 0; frame < 3; ++frame) {
    size_t drawn = 0;
    EXPECT_NO_THROW(drawn = pass(e));
    EXPECT_EQ(drawn, 5u);
    std::vector<std::pair<double, double>> places;
    for (int sprite = 1; sprite <= 4; ++sprite) places.push_back(where(e, sprite));
    if (frame == 0) first = places;
    EXPECT_EQ(places, first);
  }
  EXPECT_EQ(testing::read_file(e.folder.file("data.log")),
            "Error. (sprite_engineoffset) Sprite 4: point 9 is outside its offset path of 3 points; it stops there.\r\n"
            "Error. (sprite_engineoffset) Sprite 3: point 4 is outside its offset path of 3 points; it stops there.\r\n"
            "Error. (sprite_enginexdrop) Sprite 2: animation 0 is outside its table; it stops there.\r\n"
            "Error. (sprite_engineydrop) Sprite 1: animation 0 is outside its table; it stops there.\r\n");
}

// Real pixels: a centred sprite covers its frame around its position, later in the list draws
// over, and a fade half way blends half over black.
TEST(SpritePassPixels, CoverageOrderAndBlending) {
  headless_sprites e(3);
  e.frame_at(1, 100, 100, false);  // 16 x 16 centred: pixels 92..107
  e.frame_at(2, 100, 100, false);
  e->sprite_setrgb(1, 255, 0, 0);
  e->sprite_setrgb(2, 0, 0, 255);
  e.frame_at(3, 10, 10);
  e->sprite_enginesetalphafading(3, 0, 16, 0, 255, 0, 6);
  const auto frame = [&] {
    e->scene_begin();
    e->sprites_draw();
  };
  frame();
  // List 3, 2, 1: sprite 1 in front, red from 92 to 107.
  const std::tuple<int32_t, int32_t, uint32_t> pixels[] = {
      {100, 100, 0xFFFF0000u}, {92, 92, 0xFFFF0000u}, {107, 107, 0xFFFF0000u}, {91, 100, 0xFF000000u},
      {108, 100, 0xFF000000u}};
  for (const auto& [x, y, colour] : pixels) EXPECT_EQ(e.display->pixel(x, y), colour) << x << ", " << y;
  e->sprite_setzorder(1, 1);
  for (int n = 2; n <= 8; ++n) frame();
  EXPECT_EQ(e.display->pixel(100, 100), 0xFF0000FFu);
  EXPECT_EQ(e->sprite_getalpha(3), 128);
  EXPECT_NEAR(e.display->pixel(15, 15) & 0xFFu, 128, 1);
}

}  // namespace
}  // namespace varnel2d
