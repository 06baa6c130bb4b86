// Behaviours under acceleration (bvalue1 across, bvalue2 down, per unit): thrust, the drops that
// land with an animation and a sound, the billboards that fly in, wait and fly out, the thrusts
// that bounce off two bounds, and the ball bounces. Each axis pair is written once and run along
// x or y.
#include <cmath>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/motion.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

constexpr int32_t billboard_y_code = 13;
constexpr int32_t thrust_code = 14;
constexpr int32_t y_drop_code = 15;
constexpr int32_t x_drop_code = 16;
constexpr int32_t billboard_x_code = 17;
constexpr int32_t v_bounce_code = 18;
constexpr int32_t h_bounce_code = 19;
constexpr int32_t bounce_y_code = 26;
constexpr int32_t bounce_x_code = 34;

// A billboard's `targetdelay` that keeps it at its target for good.
constexpr float wait_for_good = -1.0f;

// Phases in `endaction`: arriving (0) and, after the target or the landing, done (1).
constexpr int32_t arriving = 0;
constexpr int32_t arrived = 1;

// Bounce flag in bvalue2: 1 for a sprite that falls towards the high bound and bounces there.
constexpr float bounces_at_high = 1.0f;

// Starting velocity and acceleration.
void start_thrust(sprite_record& s, int32_t code, double startxthrust, double startythrust, double thrustxspeed,
                  double thrustyspeed) {
  s.enginetype = code;
  s.xdir = static_cast<float>(startxthrust);
  s.ydir = static_cast<float>(startythrust);
  s.bvalue1 = static_cast<float>(thrustxspeed);
  s.bvalue2 = static_cast<float>(thrustyspeed);
  set_direction(s);
}

// The two bounds of one axis.
void set_axis_bounds(sprite_record& s, const motion_axis& axis, double low, double high) {
  s.*axis.low = static_cast<float>(low);
  s.*axis.high = static_cast<float>(high);
}

// The landing of a drop: the animation played once on landing, the sound, and the phase.
void start_landing(sprite_record& s, double newanimindex, double newanimspeed, double soundindex) {
  s.newanimindex = to_int32(newanimindex);
  s.newanimspeed = to_int32(newanimspeed);
  s.soundindex = to_int32(soundindex);
  s.endaction = arriving;
}

// A billboard's target, its wait there, and the phase.
void start_billboard(sprite_record& s, double target, double targetdelay) {
  s.bvalue3 = static_cast<float>(target);
  s.counter = 0.0f;
  s.length = static_cast<float>(targetdelay);
  s.billboardwaiting = false;
  s.endaction = arriving;
}

// With a positive length: length -= t, and once below 1 the behaviour stops and the sprite is not
// drawn this frame (it stays on).
turn_result count_down_then_stop_unseen(sprite_record& s, float t) {
  if (s.length > 0) {
    s.length = s.length - t;
    if (s.length < 1) {
      s.enginetype = 0;
      return turn_result::ends;
    }
  }
  return turn_result::goes_on;
}

// Accelerates and moves, then points `direction` along the velocity.
void thrust_step(sprite_record& s, float t) {
  accelerate(s, t);
  move(s, t);
  set_direction(s);
}

// Code 15 and 16: past a bound of `along` while still falling, the sprite lands there: it stops
// along that axis, plays its landing animation once (which switches it off) and its sound.
turn_result drop_along(sprite_turn& turn, const motion_axis& along) {
  sprite_record& s = turn.sprite;
  thrust_step(s, turn.t);
  if (s.endaction == arriving && outside(s, along)) {
    s.endaction = arrived;
    s.*along.velocity = 0.0f;
    s.*along.acceleration = 0.0f;
    turn.engine.sprite_animateonceturnoff(turn.number, s.newanimindex, s.newanimspeed);
    float& position = s.*along.position;
    position = position > s.*along.high ? s.*along.high : s.*along.low;
    if (s.soundindex > 0) turn.engine.sound_play(s.soundindex, false, 0);
  }
  return turn_result::goes_on;
}

// Code 17 and 13: flies in under acceleration until it passes its target on `along`, waits there
// `length` units (-1: for good), then flies out with the acceleration mirrored and is switched off
// beyond the bounds of `along`.
turn_result billboard_along(sprite_turn& turn, const motion_axis& along) {
  sprite_record& s = turn.sprite;
  const float t = turn.t;
  if (s.counter > 0) {
    s.counter = s.counter - t;
    if (s.counter < 1) s.billboardwaiting = false;
    return turn_result::goes_on;
  }
  thrust_step(s, t);
  if (s.endaction == arriving) {
    float& position = s.*along.position;
    const float velocity = s.*along.velocity;
    if ((velocity <= 0 && position < s.bvalue3) || (velocity > 0 && position > s.bvalue3)) {
      position = s.bvalue3;
      s.counter = s.length;
      s.billboardwaiting = true;
      s.xdir = s.ydir = 0.0f;
      s.bvalue1 = -s.bvalue1;
      s.bvalue2 = -s.bvalue2;
      s.endaction = arrived;
      if (s.length == wait_for_good) s.enginetype = 0;
    }
    return turn_result::goes_on;
  }
  if (outside(s, along)) return end_turn_off(s);
  return turn_result::goes_on;
}

// Code 18 and 19: thrust that bounces off the bounds of `along` (the low one while accelerating
// towards it, the high one otherwise) and is switched off beyond the bounds of `across`.
turn_result thrust_bounce_along(sprite_turn& turn, const motion_axis& along, const motion_axis& across) {
  sprite_record& s = turn.sprite;
  accelerate(s, turn.t);
  move(s, turn.t);
  float& position = s.*along.position;
  float& velocity = s.*along.velocity;
  const float acceleration = s.*along.acceleration;
  if (acceleration <= 0 && position < s.*along.low) {
    velocity = -velocity;
    position = s.*along.low;
  }
  if (acceleration > 0 && position > s.*along.high) {
    velocity = -velocity;
    position = s.*along.high;
  }
  set_direction(s);
  if (outside(s, across)) return end_turn_off(s);
  return count_down_then_stop_unseen(s, turn.t);
}

// Code 26 and 34: constant acceleration bvalue1 along the axis; the sprite bounces back from the
// bound it accelerates towards and comes to rest for an instant at the other.
turn_result ball_bounce_along(sprite_turn& turn, const motion_axis& along) {
  sprite_record& s = turn.sprite;
  const float t = turn.t;
  float& position = s.*along.position;
  float& velocity = s.*along.velocity;
  const bool falls_to_high = s.bvalue2 == bounces_at_high;
  position = position + velocity * t;
  velocity = velocity + s.bvalue1 * t;
  if (position < s.*along.low) {
    position = s.*along.low;
    velocity = falls_to_high ? 0.0f : -velocity;
  }
  if (position > s.*along.high) {
    position = s.*along.high;
    velocity = falls_to_high ? -velocity : 0.0f;
  }
  set_direction(s);
  return count_down_then_off(s, t);
}

// Starts code 26 or 34 at the bound the sprite falls away from, with the acceleration's sign set
// towards the other bound.
void start_ball_bounce(sprite_record& s, int32_t code, const motion_axis& along, double bounce, double low,
                       double high, bool towards_high, double length) {
  s.enginetype = code;
  s.xdir = s.ydir = 0.0f;
  set_axis_bounds(s, along, low, high);
  const float size = std::fabs(static_cast<float>(bounce));
  s.bvalue1 = towards_high ? size : -size;
  s.bvalue2 = towards_high ? bounces_at_high : 0.0f;
  s.*along.position = towards_high ? s.*along.low : s.*along.high;
  s.length = static_cast<float>(length);
  set_direction(s);
}

}  // namespace

void Varnel_2D_Engine::sprite_enginethrust(double sprite, double startxthrust, double startythrust, double thrustxspeed,
                                           double thrustyspeed, double xmin, double ymin, double xmax, double ymax,
                                           double length) {
  sprite_record& s = state_->sprites.at(sprite);
  start_thrust(s, thrust_code, startxthrust, startythrust, thrustxspeed, thrustyspeed);
  set_bounds(s, {xmin, ymin, xmax, ymax});
  s.length = static_cast<float>(length);
}

void Varnel_2D_Engine::sprite_engineydrop(double sprite, double startxthrust, double startythrust,
                                          double thrustxspeed, double thrustyspeed, double ymin, double ymax,
                                          double newanimindex, double newanimspeed, double soundindex) {
  sprite_record& s = state_->sprites.at(sprite);
  start_thrust(s, y_drop_code, startxthrust, startythrust, thrustxspeed, thrustyspeed);
  set_axis_bounds(s, y_axis, ymin, ymax);
  start_landing(s, newanimindex, newanimspeed, soundindex);
}

void Varnel_2D_Engine::sprite_enginexdrop(double sprite, double startxthrust, double startythrust,
                                          double thrustxspeed, double thrustyspeed, double xmin, double xmax,
                                          double newanimindex, double newanimspeed, double soundindex) {
  sprite_record& s = state_->sprites.at(sprite);
  start_thrust(s, x_drop_code, startxthrust, startythrust, thrustxspeed, thrustyspeed);
  set_axis_bounds(s, x_axis, xmin, xmax);
  start_landing(s, newanimindex, newanimspeed, soundindex);
}

void Varnel_2D_Engine::sprite_enginebillboardx(double sprite, double startxthrust, double startythrust,
                                               double thrustxspeed, double thrustyspeed, double xtarget,
                                               double targetdelay, double xmin, double xmax) {
  sprite_record& s = state_->sprites.at(sprite);
  start_thrust(s, billboard_x_code, startxthrust, startythrust, thrustxspeed, thrustyspeed);
  set_axis_bounds(s, x_axis, xmin, xmax);
  start_billboard(s, xtarget, targetdelay);
}

void Varnel_2D_Engine::sprite_enginebillboardy(double sprite, double startxthrust, double startythrust,
                                               double thrustxspeed, double thrustyspeed, double ytarget,
                                               double targetdelay, double ymin, double ymax) {
  sprite_record& s = state_->sprites.at(sprite);
  start_thrust(s, billboard_y_code, startxthrust, startythrust, thrustxspeed, thrustyspeed);
  set_axis_bounds(s, y_axis, ymin, ymax);
  start_billboard(s, ytarget, targetdelay);
}

void Varnel_2D_Engine::sprite_enginevbounce(double sprite, double startxthrust, double startythrust,
                                            double thrustxspeed, double thrustyspeed, double xmin, double ymin,
                                            double xmax, double ymax, double length) {
  sprite_enginethrust(sprite, startxthrust, startythrust, thrustxspeed, thrustyspeed, xmin, ymin, xmax, ymax, length);
  state_->sprites.at(sprite).enginetype = v_bounce_code;
}

void Varnel_2D_Engine::sprite_enginehbounce(double sprite, double startxthrust, double startythrust,
                                            double thrustxspeed, double thrustyspeed, double xmin, double ymin,
                                            double xmax, double ymax, double length) {
  sprite_enginethrust(sprite, startxthrust, startythrust, thrustxspeed, thrustyspeed, xmin, ymin, xmax, ymax, length);
  state_->sprites.at(sprite).enginetype = h_bounce_code;
}

void Varnel_2D_Engine::sprite_enginebounce(double sprite, double ybounce, double ymin, double ymax, bool bouncedown,
                                           double length) {
  start_ball_bounce(state_->sprites.at(sprite), bounce_y_code, y_axis, ybounce, ymin, ymax, bouncedown, length);
}

void Varnel_2D_Engine::sprite_enginebouncex(double sprite, double xbounce, double xmin, double xmax, bool bounceright,
                                            double length) {
  start_ball_bounce(state_->sprites.at(sprite), bounce_x_code, x_axis, xbounce, xmin, xmax, bounceright, length);
}

namespace varnel2d {

turn_result behave_thrust(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  accelerate(s, turn.t);
  move(s, turn.t);
  if (out_of_bounds(s)) return end_turn_off(s);
  set_direction(s);
  return count_down_then_stop_unseen(s, turn.t);
}

turn_result behave_drop_y(sprite_turn& turn) { return drop_along(turn, y_axis); }
turn_result behave_drop_x(sprite_turn& turn) { return drop_along(turn, x_axis); }
turn_result behave_billboard_x(sprite_turn& turn) { return billboard_along(turn, x_axis); }
turn_result behave_billboard_y(sprite_turn& turn) { return billboard_along(turn, y_axis); }
turn_result behave_bounce_vertical(sprite_turn& turn) { return thrust_bounce_along(turn, y_axis, x_axis); }
turn_result behave_bounce_horizontal(sprite_turn& turn) { return thrust_bounce_along(turn, x_axis, y_axis); }
turn_result behave_ball_bounce_y(sprite_turn& turn) { return ball_bounce_along(turn, y_axis); }
turn_result behave_ball_bounce_x(sprite_turn& turn) { return ball_bounce_along(turn, x_axis); }

}  // namespace varnel2d
