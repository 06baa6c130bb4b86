// Motion arithmetic shared by the behaviours: moving by the velocity, accelerating, advancing a
// swing angle, bounds, the length count-down and the nine direction codes.
#pragma once

#include <cstdint>

#include "engine/sprites/behaviour_table.h"
#include "engine/sprites/sprite_record.h"

namespace varnel2d {

// x += xdir * t, y += ydir * t.
void move(sprite_record& sprite, float t);

// xdir += bvalue1 * t, ydir += bvalue2 * t.
void accelerate(sprite_record& sprite, float t);

// angle += rotatespeed * t, less 2 pi once it passes 2 pi.
void advance_angle(sprite_record& sprite, float t);

// One axis of a sprite's motion: position, velocity, acceleration (bvalue1 on x, bvalue2 on y) and
// bounds, so that a behaviour written once runs along x or along y.
struct motion_axis {
  float sprite_record::*position;
  float sprite_record::*velocity;
  float sprite_record::*acceleration;
  float sprite_record::*low;
  float sprite_record::*high;
};
inline constexpr motion_axis x_axis{&sprite_record::x, &sprite_record::xdir, &sprite_record::bvalue1,
                                    &sprite_record::xmin, &sprite_record::xmax};
inline constexpr motion_axis y_axis{&sprite_record::y, &sprite_record::ydir, &sprite_record::bvalue2,
                                    &sprite_record::ymin, &sprite_record::ymax};

// Strictly outside the axis's bounds.
bool outside(const sprite_record& sprite, const motion_axis& axis);

// Wraps the position to the other bound when it is strictly outside; true when it wrapped.
bool wrap_around(sprite_record& sprite, const motion_axis& axis);

// The four bounds a start operation is given, in the order of its arguments.
struct motion_bounds {
  double xmin = 0.0, ymin = 0.0, xmax = 0.0, ymax = 0.0;
};

// Stores the bounds of a behaviour, as floats.
void set_bounds(sprite_record& sprite, const motion_bounds& bounds);

// The value, raised to `low` below it, else lowered to `high` above it.
float held_within(float value, float low, float high);

// Strictly outside xmin..xmax or ymin..ymax.
bool out_of_bounds(const sprite_record& sprite);

// Switches the sprite off and ends its turn.
turn_result end_turn_off(sprite_record& sprite);

// With a positive length: length -= t, and below 1 the sprite is switched off (turn ends).
turn_result count_down_then_off(sprite_record& sprite, float t);

// Direction code 0..8 from the signs of a velocity: 0 up, clockwise, 8 for no motion.
int16_t move_direction(float xdir, float ydir);

// direction := the code of the sprite's own velocity.
void set_direction(sprite_record& sprite);

// The centre used by tracking: Int(x) + framewidth / 2, Int(y) + frameheight / 2.
struct frame_centre_point {
  double x = 0.0, y = 0.0;
};
frame_centre_point centre_by_frame(const sprite_record& sprite);

// Direction code from the centre by frame of `from` (rounded to whole numbers) towards that of `to`.
int16_t direction_between(const sprite_record& from, const sprite_record& to);

}  // namespace varnel2d
