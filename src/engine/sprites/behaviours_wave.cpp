// Swinging and circling behaviours: the cosine-sway fall and its repeating form, the sine swing
// and its repeating form, circles about a place or another sprite, and the boss move. Every swing
// starts at the angle 4.7 radians, near three quarters of a turn, so a cosine term starts near 0
// and a sine term near -1. `turn` (+1 or -1) sets which way each swing goes first.
#include <algorithm>
#include <cmath>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/motion.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

constexpr float swing_start_angle = 4.7f;
constexpr int32_t orbit_code = 4;
constexpr int32_t sway_fall_code = 7;
constexpr int32_t sine_swing_code = 12;
constexpr int32_t orbit_still_code = 21;
constexpr int32_t orbit_move_code = 22;
constexpr int32_t sway_fall_repeat_code = 30;
constexpr int32_t sine_swing_repeat_code = 31;
constexpr int32_t boss_move_code = 33;

// Orbit styles: a full circle, only the sideways term, only the up-and-down term.
constexpr int32_t orbit_across = 1;
constexpr int32_t orbit_up_and_down = 2;

// Angle, radius, angular speed and the way the swing goes first.
void start_swing(sprite_record& s, double diameter, double rotatespeed, bool positive) {
  s.angle = swing_start_angle;
  s.diameter = static_cast<float>(diameter);
  s.rotatespeed = static_cast<float>(rotatespeed);
  s.turn = positive ? 1 : -1;
}

// cos(angle) x turn x diameter: starts near 0 and goes the way of `turn` first.
double cosine_swing(const sprite_record& s) { return std::cos(static_cast<double>(s.angle)) * s.turn * s.diameter; }

// sin(angle) x diameter: starts near -diameter.
double sine_swing(const sprite_record& s) { return std::sin(static_cast<double>(s.angle)) * s.diameter; }

// The sine swing of the crossing behaviours, with `turn` applied: +1 starts at the top and goes down.
double turned_sine_swing(const sprite_record& s) { return sine_swing(s) * s.turn; }

// The start shared by code 7 and 30: falling at ydir, swinging about the current x.
void start_sway_fall(sprite_record& s, int32_t code, double ydir, double diameter, double rotatespeed,
                     const motion_bounds& bounds, bool positive) {
  s.enginetype = code;
  s.basex = s.x;
  s.xdir = 0.0f;
  s.ydir = static_cast<float>(ydir);
  start_swing(s, diameter, rotatespeed, positive);
  set_bounds(s, bounds);
  set_direction(s);
}

// The start shared by code 12 and 31: moving at xdir, swinging about the current y.
void start_sine_swing(sprite_record& s, int32_t code, double xdir, double diameter, double rotatespeed,
                      const motion_bounds& bounds, bool positive) {
  s.enginetype = code;
  s.basey = s.y;
  s.xdir = static_cast<float>(xdir);
  s.ydir = 0.0f;
  start_swing(s, diameter, rotatespeed, positive);
  set_bounds(s, bounds);
  set_direction(s);
}

// Code 7 and 30: x on the swing about basex, falling at ydir, the angle advanced.
void sway_fall_step(sprite_record& s, float t) {
  s.x = static_cast<float>(cosine_swing(s) + s.basex);
  s.y = s.y + s.ydir * t;
  advance_angle(s, t);
}

// Code 12 and 31: moving at xdir, y on the swing about basey, the angle advanced.
void sine_swing_step(sprite_record& s, float t) {
  s.x = s.x + s.xdir * t;
  s.y = static_cast<float>(turned_sine_swing(s) + s.basey);
  advance_angle(s, t);
}

// Code 21 and 22: a circle about (basex, basey).
void circle_step(sprite_record& s, float t) {
  s.x = static_cast<float>(cosine_swing(s) + s.basex);
  s.y = static_cast<float>(sine_swing(s) + s.basey);
  advance_angle(s, t);
}

}  // namespace

void Varnel_2D_Engine::sprite_engineycos(double sprite, double ydir, double diameter, double rotatespeed, double xmin,
                                         double ymin, double xmax, double ymax, bool startright, double length) {
  sprite_record& s = state_->sprites.at(sprite);
  start_sway_fall(s, sway_fall_code, ydir, diameter, rotatespeed, {xmin, ymin, xmax, ymax}, startright);
  s.length = static_cast<float>(length);
}

void Varnel_2D_Engine::sprite_engineycosrepeat(double sprite, double ydir, double diameter, double rotatespeed,
                                               double xmin, double ymin, double xmax, double ymax, bool startdown,
                                               double wrap) {
  sprite_record& s = state_->sprites.at(sprite);
  start_sway_fall(s, sway_fall_repeat_code, ydir, diameter, rotatespeed, {xmin, ymin, xmax, ymax}, startdown);
  s.wrap = to_int16(wrap);
}

void Varnel_2D_Engine::sprite_enginexsin(double sprite, double xdir, double diameter, double rotatespeed, double xmin,
                                         double ymin, double xmax, double ymax, bool startdown, double length) {
  sprite_record& s = state_->sprites.at(sprite);
  start_sine_swing(s, sine_swing_code, xdir, diameter, rotatespeed, {xmin, ymin, xmax, ymax}, startdown);
  s.length = static_cast<float>(length);
}

void Varnel_2D_Engine::sprite_enginexsinrepeat(double sprite, double xdir, double diameter, double rotatespeed,
                                               double xmin, double ymin, double xmax, double ymax, bool startright,
                                               double wrap) {
  sprite_record& s = state_->sprites.at(sprite);
  start_sine_swing(s, sine_swing_repeat_code, xdir, diameter, rotatespeed, {xmin, ymin, xmax, ymax}, startright);
  s.wrap = to_int16(wrap);
}

void Varnel_2D_Engine::sprite_engineorbitstill(double sprite, double diameter, double rotatespeed, bool orbitright,
                                               double length) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = orbit_still_code;
  s.basex = s.x;
  s.basey = s.y;
  start_swing(s, diameter, rotatespeed, orbitright);
  s.length = static_cast<float>(length);
}

void Varnel_2D_Engine::sprite_engineorbitmove(double sprite, double diameter, double rotatespeed, double xdir,
                                              double ydir, double xmin, double ymin, double xmax, double ymax,
                                              bool orbitright, double length) {
  sprite_engineorbitstill(sprite, diameter, rotatespeed, orbitright, length);
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = orbit_move_code;
  s.xdir = static_cast<float>(xdir);
  s.ydir = static_cast<float>(ydir);
  set_bounds(s, {xmin, ymin, xmax, ymax});
}

void Varnel_2D_Engine::sprite_engineorbit(double sprite, double spritetotrack, double diameter, double rotatespeed,
                                          double xoffset, double yoffset, double orbitstyle, bool orbitright,
                                          double length, double diametergrowth, double diametergrowthspeed,
                                          bool turnoffwhentrackedisoff) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = orbit_code;
  s.target = to_int32(spritetotrack);
  start_swing(s, diameter, rotatespeed, orbitright);
  s.orbitxoffset = to_int32(xoffset);
  s.orbityoffset = to_int32(yoffset);
  s.orbitstyle = to_int32(orbitstyle);
  s.orbitturnoff = turnoffwhentrackedisoff;
  s.length = static_cast<float>(length);
  s.bvalue6 = static_cast<float>(diametergrowth);
  s.bvalue7 = s.bvalue8 = static_cast<float>(diametergrowthspeed);
}

void Varnel_2D_Engine::sprite_enginebossmove1(double sprite, double xdir, double yspeed, double diameter,
                                              double rotatespeed, double xmin, double ymin, double xmax, double ymax,
                                              double ytarget, bool startright) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = boss_move_code;
  s.basey = s.y;
  s.xdir = static_cast<float>(xdir);
  s.ydir = static_cast<float>(yspeed);
  start_swing(s, diameter, rotatespeed, startright);
  set_bounds(s, {xmin, ymin, xmax, ymax});
  s.bvalue1 = static_cast<float>(ytarget);
  set_direction(s);
}

namespace varnel2d {

turn_result behave_sway_fall(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  sway_fall_step(s, turn.t);
  if (out_of_bounds(s)) return end_turn_off(s);
  return count_down_then_off(s, turn.t);
}

turn_result behave_sway_fall_repeat(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  sway_fall_step(s, turn.t);
  if (wrap_around(s, y_axis) && s.wrap == 0) {
    s.x = static_cast<float>(turn.engine.lib_getnumber(s.xmin, s.xmax));
    s.basex = s.x;
  }
  return turn_result::goes_on;
}

turn_result behave_sine_swing(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  sine_swing_step(s, turn.t);
  if (out_of_bounds(s)) return end_turn_off(s);
  return count_down_then_off(s, turn.t);
}

turn_result behave_sine_swing_repeat(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  sine_swing_step(s, turn.t);
  if (wrap_around(s, x_axis) && s.wrap == 0) {
    s.y = static_cast<float>(turn.engine.lib_getnumber(s.ymin, s.ymax));
    s.basey = s.y;
  }
  return turn_result::goes_on;
}

turn_result behave_orbit_still(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  circle_step(s, turn.t);
  return count_down_then_off(s, turn.t);
}

turn_result behave_orbit_move(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  circle_step(s, turn.t);
  s.basex = s.basex + s.xdir * turn.t;
  s.basey = s.basey + s.ydir * turn.t;
  if (out_of_bounds(s)) return end_turn_off(s);
  return count_down_then_off(s, turn.t);
}

turn_result behave_orbit_sprite(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  const sprite_record& target = turn.sprites.at(s.target);
  if (s.orbitturnoff && target.state == 0) return end_turn_off(s);
  // About the target's frame centre moved by the offset, placed by this sprite's own frame.
  const double swing_x = s.orbitstyle == orbit_up_and_down ? 0.0 : cosine_swing(s);
  const double swing_y = s.orbitstyle == orbit_across ? 0.0 : sine_swing(s);
  s.x = static_cast<float>(swing_x + target.x + s.orbitxoffset + target.framewidth / 2.0 - s.framewidth / 2.0);
  s.y = static_cast<float>(swing_y + target.y + s.orbityoffset + target.frameheight / 2.0 - s.frameheight / 2.0);
  advance_angle(s, turn.t);
  s.direction = direction_between(s, target);
  if (s.bvalue7 > 0) {
    s.bvalue7 = s.bvalue7 - turn.t;
    if (s.bvalue7 < 1) {
      s.diameter = s.diameter + s.bvalue6;
      s.bvalue7 = s.bvalue8;
    }
  }
  return count_down_then_off(s, turn.t);
}

turn_result behave_boss_move(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  sine_swing_step(s, turn.t);
  if (s.xdir < 0 && s.x <= s.xmin) {
    s.xdir = -s.xdir;
    s.x = s.xmin;
    s.direction = 2;
  } else if (s.xdir > 0 && s.x >= s.xmax) {
    s.xdir = -s.xdir;
    s.x = s.xmax;
    s.direction = 6;
  }
  s.x = held_within(s.x, s.xmin, s.xmax);
  // The swing's centre heads for the target height without overshooting it.
  const float step = s.ydir * turn.t;
  if (s.basey < s.bvalue1) {
    s.basey = std::min(s.basey + step, s.bvalue1);
  } else if (s.basey > s.bvalue1) {
    s.basey = std::max(s.basey - step, s.bvalue1);
  }
  s.basey = held_within(s.basey, s.ymin, s.ymax);
  return turn_result::goes_on;
}

}  // namespace varnel2d
