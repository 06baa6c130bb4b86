// Swinging and circling behaviours: the cosine-sway fall and its kin. Every swing starts at the
// angle 4.7 radians, near three quarters of a turn, so a cosine term starts near 0 and a sine
// term near -1.
#include <cmath>

#include "engine/Varnel_2D_Engine.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/motion.h"
#include "platform/numbers.h"

using namespace brisenfall;

namespace {

constexpr float swing_start_angle = 4.7f;
constexpr int32_t sway_fall_code = 7;

// Angle, radius, angular speed and the sign of the swing.
void start_swing(sprite_record& s, double diameter, double rotatespeed, bool positive) {
  s.angle = swing_start_angle;
  s.diameter = static_cast<float>(diameter);
  s.rotatespeed = static_cast<float>(rotatespeed);
  s.turn = positive ? 1 : -1;
}

// The sideways offset of a swing: cos(angle) x turn x diameter.
double cosine_swing(const sprite_record& s) { return std::cos(static_cast<double>(s.angle)) * s.turn * s.diameter; }

}  // namespace

void Varnel_2D_Engine::sprite_engineycos(double sprite, double ydir, double diameter, double rotatespeed, double xmin,
                                         double ymin, double xmax, double ymax, bool startright, double length) {
  sprite_record& s = sprites_.at(sprite);
  s.enginetype = sway_fall_code;
  s.basex = s.x;
  s.xdir = 0.0f;
  s.ydir = static_cast<float>(ydir);
  start_swing(s, diameter, rotatespeed, startright);
  set_bounds(s, xmin, ymin, xmax, ymax);
  s.length = static_cast<float>(length);
  set_direction(s);
}

namespace brisenfall {

turn_result behave_sway_fall(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  s.x = static_cast<float>(cosine_swing(s) + s.basex);
  s.y = s.y + s.ydir * turn.t;
  advance_angle(s, turn.t);
  if (out_of_bounds(s)) return end_turn_off(s);
  return count_down_then_off(s, turn.t);
}

}  // namespace brisenfall
