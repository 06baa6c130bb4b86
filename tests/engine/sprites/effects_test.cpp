// The effect styles on a bare channel, and the sprite effects in the pass: switching off, facing,
// the colour flash, the setters' clamps and fade on, hold, fade off.
#include <gtest/gtest.h>

#include "engine/sprites/effect_style.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::recorded_sprites;

// Each style on one channel: `frames` frames from `value` (all but the last returning false), then
// the value, the step, whether it still runs and whether the last frame switched the owner off.
TEST(EffectStyle, EachStyleAtItsLimitsAndAtTheEndOfItsDuration) {
  struct style_case {
    int32_t style;
    float value, step, min, max;
    int32_t length;
    float natural;
    int frames;
    float value_after, step_after;
    bool running, off;
    float timedelta = 1;
  };
  using namespace effect_styles;
  const style_case cases[] = {
      {wrap, 358, 5, 0, 359, 0, 0, 1, 0, 5, true, false},  // past max: min
      {wrap, 0, -5, 0, 359, 0, 0, 1, 359, -5, true, false},
      {wrap, 354, 5, 0, 359, 0, 0, 1, 359, 5, true, false},  // on max: inside
      {bounce, 1.45f, 0.1f, 0.5f, 1.5f, 0, 1, 1, 1.45f, -0.1f, true, false},  // turns and steps back at once
      {bounce, 250, 4, 0, 255, 0, 255, 1, 250, -4, true, false, 2},  // both steps scaled by the frame time
      {wrap_then_natural, 100, 1, 0, 255, 3, 255, 2, 102, 1, true, false},
      {wrap_then_natural, 100, 1, 0, 255, 3, 255, 3, 255, 1, false, false},
      {wrap_then_natural, 100, 1, 0, 255, 3, 255, 2, 255, 1, false, false, 2},  // the duration counts frame time
      {bounce_then_natural, 100, 1, 0, 255, 3, 255, 2, 102, 1, true, false},
      {bounce_then_natural, 100, 1, 0, 255, 3, 255, 3, 255, 1, false, false},
      {wrap_then_off, 100, 1, 0, 255, 2, 255, 2, 102, 1, false, true},
      {bounce_then_off, 100, 1, 0, 255, 2, 255, 2, 102, 1, false, true},
      {stop_at_limit, 0, 5, 0, 255, 0, 255, 51, 255, 5, true, false},  // equal to the limit is inside
      {stop_at_limit, 0, 5, 0, 255, 0, 255, 52, 255, 5, false, false},
      {stop_at_limit, 10, -5, 3, 255, 0, 255, 2, 3, -5, false, false},
      {natural_at_limit, 1.9f, 0.2f, 0.5f, 2, 0, 1, 1, 1, 0.2f, false, false},
      {off_at_limit, 3, -2, 0, 255, 0, 255, 1, 1, -2, true, false},
      {off_at_limit, 3, -2, 0, 255, 0, 255, 2, -1, -2, false, true},
      {face_travel, 3, 1, 0, 255, 0, 255, 1, 3, 1, true, false},  // not a value style: nothing
      {-1, 3, 1, 0, 255, 0, 255, 1, 3, 1, true, false},
  };
  for (const style_case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style) + ", " + std::to_string(c.frames) + " frames");
    float value = c.value;
    effect_channel fx{true, c.step, c.min, c.max, c.length, c.style};
    for (int frame = 1; frame < c.frames; ++frame) ASSERT_FALSE(advance_effect(value, fx, c.natural, c.timedelta)) << frame;
    EXPECT_EQ(advance_effect(value, fx, c.natural, c.timedelta), c.off);
    EXPECT_EQ(value, c.value_after);
    EXPECT_FLOAT_EQ(fx.step, c.step_after);
    EXPECT_EQ(fx.running, c.running);
  }
}

TEST(SpriteEffects, OffAtLimitSwitchesOffUndrawnAndScaleOffEndsTheTurnFirst) {
  recorded_sprites e(2);
  e.frame_at(1, 0, 0);
  e->sprite_enginesetalphafading(1, 8, -5, 0, 255, 0, 8);
  e.frame_at(2, 0, 0);
  e->sprite_enginesetscaling(2, 2, 1, 0.5, 2.5, 0, 8);
  e->sprite_enginesetrotating(2, 10, 1, 0, 359, 0, 0);
  EXPECT_EQ(testing::pass(e), 1u);  // sprite 1 at alpha 3; sprite 2 off at scale 3
  EXPECT_EQ(e->sprite_getstatus(2), 0);
  EXPECT_EQ(e->sprite_getrotate(2), 10);
  EXPECT_EQ(testing::pass(e), 0u);
  EXPECT_EQ(e->sprite_getstatus(1), 0);
  EXPECT_FALSE(e->sprite_engineisalphafading(1));
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
  EXPECT_EQ(std::pair(e->sprite_getscale(1), e->sprite_engineisscaling(1)), std::pair(0.0, true));
}

TEST(SpriteEffects, FaceASpriteAndFaceTheDirectionOfTravel) {
  recorded_sprites e(2);
  e.frame_at(1, 0, 0);
  e.frame_at(2, 100, 0);
  const auto turn_after_pass = [&](double sprite) {
    e->sprites_draw();
    return e->sprite_getrotate(sprite);
  };
  e->sprite_enginerotatetosprite(1, 2);
  EXPECT_EQ(turn_after_pass(1), 90);
  e->sprite_setxy(2, 0, 100);
  EXPECT_EQ(turn_after_pass(1), 180);
  EXPECT_TRUE(e->sprite_engineisrotating(1));
  e->sprite_enginerotatetodirection(2);
  EXPECT_EQ(turn_after_pass(2), 0);  // did not move: keeps its rotation
  e->sprite_addtopos(2, -10, 0);
  EXPECT_EQ(turn_after_pass(2), 270);
  e->sprite_addtopos(2, 0, -10);
  EXPECT_EQ(turn_after_pass(2), 360);
}

// The flash raises green and blue by 51 a unit back to white, then stops; alpha is left alone.
TEST(SpriteEffects, ColourFlashReturnsToWhiteAndLeavesAlphaAlone) {
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
  int frames = 0;
  for (; e->sprite_getstatus(1) == 1 && frames < 400; ++frames) e->sprites_draw();
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
