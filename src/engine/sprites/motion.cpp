// Motion arithmetic of the behaviours.
#include "engine/sprites/motion.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/sprites/sprite_table.h"
#include <varnel2d/numbers.h>

namespace varnel2d {
namespace {

constexpr float two_pi = static_cast<float>(2 * engine_pi);

// The direction code for the signs -1, 0, +1 of a step along x and y.
int16_t direction_of_signs(int dx, int dy) {
  static constexpr int16_t codes[3][3] = {
      // dy < 0, dy = 0, dy > 0
      {7, 6, 5},  // dx < 0
      {0, no_direction, 4},  // dx = 0
      {1, 2, 3},  // dx > 0
  };
  return codes[dx + 1][dy + 1];
}

template <typename Number>
int sign(Number value) {
  return (value > 0) - (value < 0);
}

}  // namespace

void move(sprite_record& sprite, float t) {
  sprite.x = sprite.x + sprite.xdir * t;
  sprite.y = sprite.y + sprite.ydir * t;
}

void accelerate(sprite_record& sprite, float t) {
  sprite.xdir = sprite.xdir + sprite.bvalue1 * t;
  sprite.ydir = sprite.ydir + sprite.bvalue2 * t;
}

void advance_angle(sprite_record& sprite, float t) {
  sprite.angle = sprite.angle + sprite.rotatespeed * t;
  if (sprite.angle > two_pi) sprite.angle = sprite.angle - two_pi;
}

void set_bounds(sprite_record& sprite, const motion_bounds& bounds) {
  sprite.xmin = static_cast<float>(bounds.xmin);
  sprite.ymin = static_cast<float>(bounds.ymin);
  sprite.xmax = static_cast<float>(bounds.xmax);
  sprite.ymax = static_cast<float>(bounds.ymax);
}

float held_within(float value, float low, float high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

bool out_of_bounds(const sprite_record& sprite) {
  return sprite.x < sprite.xmin || sprite.x > sprite.xmax || sprite.y < sprite.ymin || sprite.y > sprite.ymax;
}

bool outside(const sprite_record& sprite, const motion_axis& axis) {
  const float position = sprite.*axis.position;
  return position < sprite.*axis.low || position > sprite.*axis.high;
}

bool wrap_around(sprite_record& sprite, const motion_axis& axis) {
  float& position = sprite.*axis.position;
  if (position < sprite.*axis.low) {
    position = sprite.*axis.high;
    return true;
  }
  if (position > sprite.*axis.high) {
    position = sprite.*axis.low;
    return true;
  }
  return false;
}

turn_result end_turn_off(sprite_record& sprite) {
  switch_off(sprite);
  return turn_result::ends;
}

turn_result count_down_then_off(sprite_record& sprite, float t) {
  if (sprite.length > 0) {
    sprite.length = sprite.length - t;
    if (sprite.length < 1) return end_turn_off(sprite);
  }
  return turn_result::goes_on;
}

int16_t move_direction(float xdir, float ydir) { return direction_of_signs(sign(xdir), sign(ydir)); }

void set_direction(sprite_record& sprite) { sprite.direction = move_direction(sprite.xdir, sprite.ydir); }

frame_centre_point centre_by_frame(const sprite_record& sprite) {
  return {std::floor(sprite.x) + sprite.framewidth / 2.0, std::floor(sprite.y) + sprite.frameheight / 2.0};
}

int16_t direction_between(const sprite_record& from, const sprite_record& to) {
  const frame_centre_point a = centre_by_frame(from);
  const frame_centre_point b = centre_by_frame(to);
  return direction_of_signs(sign(to_int16(b.x) - to_int16(a.x)), sign(to_int16(b.y) - to_int16(a.y)));
}

}  // namespace varnel2d
