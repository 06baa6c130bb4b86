// The effect styles shared by sprites, map cells and effect tiles: one channel's state (a value
// that changes by a step each frame until its style ends it) and the functions that advance it.
#pragma once

#include <cstdint>

namespace varnel2d {

// One effect on one value (scale, rotation, alpha, a tile animation...). The value itself lives
// beside the channel in its owner's record.
struct effect_channel {
  bool running = false;
  float step = 0.0f;  // change per timedelta unit
  float min = 0.0f, max = 0.0f;
  int32_t length = 0;  // duration in timedelta units, counted by styles 1, 2, 4 and 5
  int32_t style = 0;
};

// Style numbers. 0..8 work on any value; 9 and 10 are the rotation's facing styles, and 9 is
// also the alpha channel's colour flash.
namespace effect_styles {
inline constexpr int32_t wrap = 0;
inline constexpr int32_t wrap_then_natural = 1;
inline constexpr int32_t wrap_then_off = 2;
inline constexpr int32_t bounce = 3;
inline constexpr int32_t bounce_then_natural = 4;
inline constexpr int32_t bounce_then_off = 5;
inline constexpr int32_t stop_at_limit = 6;
inline constexpr int32_t natural_at_limit = 7;
inline constexpr int32_t off_at_limit = 8;
inline constexpr int32_t face_target = 9;
inline constexpr int32_t colour_flash = 9;
inline constexpr int32_t face_travel = 10;
}  // namespace effect_styles

// Advances `value` by one frame of `effect` with styles 0..8 (other styles leave it alone).
// Returns true when the style switches the owner off; the channel has then stopped.
bool advance_effect(float& value, effect_channel& effect, float natural, float timedelta);

// Colour flash: each channel below 255 rises by the step and is capped at 255; the effect stops
// once all three are 255.
void advance_colour_flash(float& r, float& g, float& b, effect_channel& effect, float timedelta);

// Facing the direction of travel: when (x, y) moved away from (lastx, lasty), the rotation
// becomes the angle of that move and the last position follows; otherwise nothing changes.
void advance_face_travel(float& rotate, float& lastx, float& lasty, float x, float y);

}  // namespace varnel2d
