// The effect styles: wrap, bounce, stop, snap back or switch off at the limits or when the
// duration runs out; the colour flash; facing the direction of travel.
#include "engine/sprites/effect_style.h"

#include "engine/angles.h"
#include <varnel2d/numbers.h>

namespace varnel2d {
namespace {

using namespace effect_styles;

constexpr float full_channel = 255.0f;

// Counts the duration down after the limit handling; true when it has run out.
bool duration_runs_out(effect_channel& effect, float timedelta) {
  effect.length = to_int32(effect.length - static_cast<double>(timedelta));
  return effect.length < 1;
}

bool beyond(float value, const effect_channel& effect) { return value > effect.max || value < effect.min; }

}  // namespace

bool advance_effect(float& value, effect_channel& effect, float natural, float timedelta) {
  const int32_t style = effect.style;
  if (style < wrap || style > off_at_limit) return false;
  value = value + effect.step * timedelta;
  switch (style) {
    case wrap:
    case wrap_then_natural:
    case wrap_then_off:
      if (value > effect.max)
        value = effect.min;
      else if (value < effect.min)
        value = effect.max;
      break;
    case bounce:
    case bounce_then_natural:
    case bounce_then_off:
      if (beyond(value, effect)) {
        effect.step = -effect.step;
        value = value + effect.step * timedelta;
      }
      break;
    case stop_at_limit:
      if (value > effect.max) {
        value = effect.max;
        effect.running = false;
      } else if (value < effect.min) {
        value = effect.min;
        effect.running = false;
      }
      return false;
    case natural_at_limit:
      if (beyond(value, effect)) {
        value = natural;
        effect.running = false;
      }
      return false;
    default:  // off_at_limit
      if (!beyond(value, effect)) return false;
      effect.running = false;
      return true;
  }
  if (style == wrap || style == bounce || !duration_runs_out(effect, timedelta)) return false;
  effect.running = false;
  if (style == wrap_then_off || style == bounce_then_off) return true;
  value = natural;
  return false;
}

void advance_colour_flash(float& r, float& g, float& b, effect_channel& effect, float timedelta) {
  for (float* channel : {&r, &g, &b}) {
    if (*channel < full_channel) {
      *channel = *channel + effect.step * timedelta;
      if (*channel > full_channel) *channel = full_channel;
    }
  }
  if (r == full_channel && g == full_channel && b == full_channel) effect.running = false;
}

void advance_face_travel(float& rotate, float& lastx, float& lasty, float x, float y) {
  if (x == lastx && y == lasty) return;
  rotate = angle_towards(lastx, lasty, x, y, engine_pi);
  lastx = x;
  lasty = y;
}

}  // namespace varnel2d
