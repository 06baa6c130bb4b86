// The effect styles on a bare channel, and the sprite effects in the pass: switching off, facing,
// the colour flash, the setters' clamps and fade on, hold, fade off.
#include <gtest/gtest.h>

#include "engine/sprites/effect_style.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::recorded_sprites;

effect_channel channel(float step, float min, float max, int32_t length, int32_t style) {
  return {true, step, min, max, length, style};
}

TEST(EffectStyle, StopAtLimitReachesTheLimitThenStopsTheFrameAfter) {
  float alpha = 0;
  effect_channel fx = channel(5, 0, 255, 0, effect_styles::stop_at_limit);
  for (int frame = 1; frame <= 51; ++frame) EXPECT_FALSE(advance_effect(alpha, fx, 255, 1));
  EXPECT_EQ(alpha, 255);
  EXPECT_TRUE(fx.running);  // equal to the limit is still inside
  EXPECT_FALSE(advance_effect(alpha, fx, 255, 1));
  EXPECT_EQ(alpha, 255);
  EXPECT_FALSE(fx.running);
}

TEST(EffectStyle, WrapJumpsToTheOtherLimit) {
  float rotate = 358;
  effect_channel fx = channel(5, 0, 359, 0, effect_styles::wrap);
  advance_effect(rotate, fx, 0, 1);
  EXPECT_EQ(rotate, 0);
  fx.step = -5;
  advance_effect(rotate, fx, 0, 1);
  EXPECT_EQ(rotate, 359);
  EXPECT_TRUE(fx.running);
}

TEST(EffectStyle, BounceTurnsAndStepsBackInTheSameFrame) {
  float scale = 1.45f;
  effect_channel fx = channel(0.1f, 0.5f, 1.5f, 0, effect_styles::bounce);
  advance_effect(scale, fx, 1, 1);
  EXPECT_FLOAT_EQ(fx.step, -0.1f);
  EXPECT_NEAR(scale, 1.45f, 1e-5);
  EXPECT_TRUE(fx.running);
}

TEST(EffectStyle, DurationEndsWithTheNaturalValueOrOff) {
  for (const int32_t style : {effect_styles::wrap_then_natural, effect_styles::bounce_then_natural}) {
    float value = 100;
    effect_channel fx = channel(1, 0, 255, 3, style);
    EXPECT_FALSE(advance_effect(value, fx, 255, 1));
    EXPECT_FALSE(advance_effect(value, fx, 255, 1));
    EXPECT_EQ(value, 102);
    EXPECT_FALSE(advance_effect(value, fx, 255, 1));
    EXPECT_EQ(value, 255);
    EXPECT_FALSE(fx.running);
  }
  for (const int32_t style : {effect_styles::wrap_then_off, effect_styles::bounce_then_off}) {
    float value = 100;
    effect_channel fx = channel(1, 0, 255, 2, style);
    EXPECT_FALSE(advance_effect(value, fx, 255, 1));
    EXPECT_TRUE(advance_effect(value, fx, 255, 1));
    EXPECT_FALSE(fx.running);
  }
}

TEST(EffectStyle, NaturalAndOffAtTheLimit) {
  float scale = 1.9f;
  effect_channel fx = channel(0.2f, 0.5f, 2, 0, effect_styles::natural_at_limit);
  EXPECT_FALSE(advance_effect(scale, fx, 1, 1));
  EXPECT_EQ(scale, 1);
  EXPECT_FALSE(fx.running);
  float alpha = 3;
  fx = channel(-2, 0, 255, 0, effect_styles::off_at_limit);
  EXPECT_FALSE(advance_effect(alpha, fx, 255, 1));
  EXPECT_TRUE(advance_effect(alpha, fx, 255, 1));
  EXPECT_FALSE(fx.running);
}

TEST(EffectStyle, ColourFlashReturnsToWhite) {
  float r = 255, g = 0, b = 0;
  effect_channel fx = channel(51, 0, 0, 0, effect_styles::colour_flash);
  for (int frame = 1; frame <= 4; ++frame) advance_colour_flash(r, g, b, fx, 1);
  EXPECT_EQ(g, 204);
  EXPECT_TRUE(fx.running);
  advance_colour_flash(r, g, b, fx, 1);
  EXPECT_EQ(g, 255);
  EXPECT_EQ(b, 255);
  EXPECT_FALSE(fx.running);
}

TEST(SpriteEffects, OffAtLimitSwitchesOffAndIsNotDrawn) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_enginesetalphafading(1, 8, -5, 0, 255, 0, 8);
  e->sprites_draw();
  EXPECT_EQ(e.display->quads.size(), 1u);
  e->sprites_draw();
  EXPECT_EQ(e.display->quads.size(), 1u);
  EXPECT_EQ(e->sprite_getstatus(1), 0);
  EXPECT_FALSE(e->sprite_engineisalphafading(1));
}

TEST(SpriteEffects, ScaleOffEndsTheTurnBeforeTheOtherEffects) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_enginesetscaling(1, 2, 1, 0.5, 2.5, 0, 8);
  e->sprite_enginesetrotating(1, 10, 1, 0, 359, 0, 0);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getstatus(1), 0);
  EXPECT_EQ(e->sprite_getrotate(1), 10);
  EXPECT_TRUE(e.display->quads.empty());
}

TEST(SpriteEffects, StartingValueAboveMinusOneOnlyAndClampedLimits) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_setalpha(1, 100);
  e->sprite_enginesetalphafading(1, -1, 100, 0, 300, 0, 6);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getalpha(1), 200);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getalpha(1), 255);  // max 300 was stored as 255
  e->sprite_setrotate(1, 700);
  e->sprite_enginesetrotating(1, -2, 10, -50, 1000, 0, 6);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getrotate(1), 710);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getrotate(1), 719);
  e->sprite_enginesetrotating(1, 5, -10, -50, 1000, 0, 6);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getrotate(1), 0);  // min -50 was stored as 0
  e->sprite_enginesetscaling(1, -1, -1, -5, 10, 0, 6);  // scale limits are not clamped
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getscale(1), 0);
  EXPECT_TRUE(e->sprite_engineisscaling(1));
}

TEST(SpriteEffects, FaceASpriteAndFaceTheDirectionOfTravel) {
  recorded_sprites e(2);
  e.frame_at(1, 0, 0);
  e.frame_at(2, 100, 0);
  e->sprite_enginerotatetosprite(1, 2);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getrotate(1), 90);
  e->sprite_setxy(2, 0, 100);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getrotate(1), 180);
  EXPECT_TRUE(e->sprite_engineisrotating(1));
  e->sprite_enginerotatetodirection(2);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getrotate(2), 0);  // did not move: keeps its rotation
  e->sprite_addtopos(2, -10, 0);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getrotate(2), 270);
  e->sprite_addtopos(2, 0, -10);
  e->sprites_draw();
  EXPECT_EQ(e->sprite_getrotate(2), 360);
}

TEST(SpriteEffects, ColourFlashLeavesAlphaAlone) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_setalpha(1, 77);
  e->sprite_enginesetalphaflash(1, 255, 0, 0, 51);
  for (int frame = 0; frame < 5; ++frame) e->sprites_draw();
  EXPECT_FALSE(e->sprite_engineisalphafading(1));
  EXPECT_EQ(e.display->quads.back().colour, 0x4DFFFFFFu);
  EXPECT_EQ(e.display->quads[3].colour, 0x4DFFCCCCu);
}

TEST(SpriteEffects, FadeOnHoldFadeOffTakes51And100And51Frames) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_enginefadeonfadeoff(1, 5, 100);
  e.display->quads.clear();
  int frames = 0;
  while (e->sprite_getstatus(1) == 1 && frames < 400) {
    e->sprites_draw();
    ++frames;
  }
  const auto& quads = e.display->quads;
  ASSERT_EQ(quads.size(), 51u + 100u + 51u);
  EXPECT_EQ(frames, 203);
  const auto alpha_at = [&](size_t frame) { return quads[frame - 1].colour >> 24; };
  EXPECT_EQ(alpha_at(1), 5u);
  EXPECT_EQ(alpha_at(50), 250u);
  for (size_t frame = 51; frame <= 151; ++frame) ASSERT_EQ(alpha_at(frame), 255u) << frame;
  EXPECT_EQ(alpha_at(152), 250u);
  EXPECT_EQ(alpha_at(202), 0u);
}

}  // namespace
}  // namespace varnel2d
