// Behaviours that move at a set velocity: straight moves and shots, pong, wrapping and repeating
// moves, the run round a rectangle, the move to a point, and the shake about a place.
#include <algorithm>
#include <array>
#include <cmath>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/angles.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/motion.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

constexpr int32_t straight_code = 1;
constexpr int32_t pong_code = 2;
constexpr int32_t frame_move_code = 9;
constexpr int32_t move_to_point_code = 10;
constexpr int32_t wrap_code = 25;
constexpr int32_t shake_code = 27;
constexpr int32_t move_y_repeat_code = 28;
constexpr int32_t move_x_repeat_code = 29;
constexpr double highest_shot_angle = 359;

// Velocity, bounds and length of the moves that go straight on.
void start_straight(sprite_record& s, int32_t code, double xdir, double ydir, const motion_bounds& bounds) {
  s.enginetype = code;
  s.xdir = static_cast<float>(xdir);
  s.ydir = static_cast<float>(ydir);
  set_bounds(s, bounds);
}

// Shake phases, held in bvalue2: the next shake step returns to the centre, or displaces.
constexpr float shake_next_returns = 0.0f;
constexpr float shake_next_displaces = 1.0f;

// One leg of the run round a rectangle: the axis it runs along, +1 or -1 along it, the state of
// the next leg and the direction code shown while on it. The state numbers are the direction
// codes of the legs' own travel, so 3 (right along the top), 4, 6, 1 run clockwise and 0 (up the
// right side), 7, 5, 2 counter-clockwise.
struct frame_leg {
  const motion_axis* axis;
  int sign;
  int32_t next;
  int16_t direction;
};
constexpr std::array<frame_leg, 8> frame_legs = {{
    {&y_axis, -1, 7, 0},  // 0 up the right side, counter-clockwise
    {&y_axis, -1, 3, 0},  // 1 up the left side, clockwise
    {&x_axis, +1, 0, 2},  // 2 right along the bottom, counter-clockwise
    {&x_axis, +1, 4, 2},  // 3 right along the top, clockwise
    {&y_axis, +1, 6, 4},  // 4 down the right side, clockwise
    {&y_axis, +1, 2, 4},  // 5 down the left side, counter-clockwise
    {&x_axis, -1, 1, 6},  // 6 left along the bottom, clockwise
    {&x_axis, -1, 5, 6},  // 7 left along the top, counter-clockwise
}};
constexpr int32_t clockwise_start = 3;
constexpr int32_t counter_clockwise_start = 0;

// Moves; on re-entering at the other bound of `along`, lands at a random place across it unless
// `wrap` is set.
turn_result repeat_along(sprite_turn& turn, const motion_axis& along, const motion_axis& across) {
  sprite_record& s = turn.sprite;
  move(s, turn.t);
  if (wrap_around(s, along) && s.wrap == 0)
    s.*across.position = static_cast<float>(turn.engine.lib_getnumber(s.*across.low, s.*across.high));
  return turn_result::goes_on;
}

// Passing the target along one axis (beyond it in the direction of travel) sets it there.
void stop_at_target(float& position, float velocity, float target) {
  if ((velocity > 0 && position > target) || (velocity < 0 && position < target)) position = target;
}

}  // namespace

void Varnel_2D_Engine::sprite_enginemove(double sprite, double xdir, double ydir, double xmin, double ymin,
                                         double xmax, double ymax, double length) {
  sprite_record& s = state_->sprites.at(sprite);
  start_straight(s, straight_code, xdir, ydir, {xmin, ymin, xmax, ymax});
  s.length = static_cast<float>(length);
  set_direction(s);
}

void Varnel_2D_Engine::sprite_engineshoot(double sprite, double angle, double velocity, double xmin, double ymin,
                                          double xmax, double ymax, double length) {
  const double degrees = std::clamp(angle, 0.0, highest_shot_angle);
  const auto [xdir, ydir] = movement_towards(degrees, velocity, engine_pi);
  sprite_record& s = state_->sprites.at(sprite);
  start_straight(s, straight_code, xdir, ydir, {xmin, ymin, xmax, ymax});
  s.length = static_cast<float>(length);
  s.direction = state_->core.direction_table[static_cast<size_t>(to_int32(degrees))];
  s.endaction = 1;
}

void Varnel_2D_Engine::sprite_engineshootsprite(double sprite, double spritetoshoot, double velocity, double xmin,
                                                double ymin, double xmax, double ymax, double length) {
  sprite_engineshoot(sprite, sprite_getangle(sprite, spritetoshoot), velocity, xmin, ymin, xmax, ymax, length);
}

void Varnel_2D_Engine::sprite_enginepong(double sprite, double xdir, double ydir, double xmin, double ymin, double xmax,
                                         double ymax, double length) {
  sprite_record& s = state_->sprites.at(sprite);
  start_straight(s, pong_code, xdir, ydir, {xmin, ymin, xmax, ymax});
  s.length = static_cast<float>(length);
}

void Varnel_2D_Engine::sprite_enginewrap(double sprite, double xdir, double ydir, double xmin, double ymin, double xmax,
                                         double ymax, double length) {
  sprite_record& s = state_->sprites.at(sprite);
  start_straight(s, wrap_code, xdir, ydir, {xmin, ymin, xmax, ymax});
  s.length = static_cast<float>(length);
  set_direction(s);
}

void Varnel_2D_Engine::sprite_enginemoveyrepeat(double sprite, double xdir, double ydir, double xmin, double ymin,
                                                double xmax, double ymax, double wrap) {
  sprite_record& s = state_->sprites.at(sprite);
  start_straight(s, move_y_repeat_code, xdir, ydir, {xmin, ymin, xmax, ymax});
  s.wrap = to_int16(wrap);
  set_direction(s);
}

void Varnel_2D_Engine::sprite_enginemovexrepeat(double sprite, double xdir, double ydir, double xmin, double ymin,
                                                double xmax, double ymax, double wrap) {
  sprite_record& s = state_->sprites.at(sprite);
  start_straight(s, move_x_repeat_code, xdir, ydir, {xmin, ymin, xmax, ymax});
  s.wrap = to_int16(wrap);
  set_direction(s);
}

void Varnel_2D_Engine::sprite_engineframemove(double sprite, double xspeed, double yspeed, double xmin, double ymin,
                                              double xmax, double ymax, bool starttopleft, double length) {
  sprite_record& s = state_->sprites.at(sprite);
  start_straight(s, frame_move_code, xspeed, yspeed, {xmin, ymin, xmax, ymax});
  s.length = static_cast<float>(length);
  s.x = starttopleft ? s.xmin : s.xmax;
  s.y = starttopleft ? s.ymin : s.ymax;
  s.framemovestate = starttopleft ? clockwise_start : counter_clockwise_start;
}

void Varnel_2D_Engine::sprite_enginemovetoxy(double sprite, double x, double Y, double velocity) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = move_to_point_code;
  s.targetx = static_cast<float>(x);
  s.targety = static_cast<float>(Y);
  const auto [xdir, ydir] = movement_towards(lib_getangle(s.x, s.y, s.targetx, s.targety), velocity, engine_pi);
  s.xdir = xdir;
  s.ydir = ydir;
  set_direction(s);
}

void Varnel_2D_Engine::sprite_engineshake(double sprite, double velocity, double speed, double length) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = shake_code;
  s.bvalue1 = static_cast<float>(velocity);
  s.bvalue2 = shake_next_returns;
  s.basex = s.x;
  s.basey = s.y;
  s.speed = static_cast<float>(speed);
  s.counter = 0.0f;
  s.length = static_cast<float>(length);
  s.direction = no_direction;
}

namespace varnel2d {

turn_result behave_straight(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  move(s, turn.t);
  if (out_of_bounds(s)) return end_turn_off(s);
  if (s.length > 0) {
    s.length = s.length - turn.t;
    if (s.length < 1) {
      if (s.endaction == 1) return end_turn_off(s);
      s.enginetype = 0;  // stops where it is and stays drawn
    }
  }
  return turn_result::goes_on;
}

turn_result behave_pong(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  move(s, turn.t);
  for (const motion_axis* axis : {&x_axis, &y_axis}) {
    if (outside(s, *axis)) {
      float& velocity = s.*axis->velocity;
      velocity = -velocity;
      s.*axis->position = s.*axis->position + velocity * turn.t;
    }
  }
  set_direction(s);
  return count_down_then_off(s, turn.t);
}

turn_result behave_wrap(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  move(s, turn.t);
  wrap_around(s, x_axis);
  wrap_around(s, y_axis);
  return count_down_then_off(s, turn.t);
}

turn_result behave_move_y_repeat(sprite_turn& turn) { return repeat_along(turn, y_axis, x_axis); }

turn_result behave_move_x_repeat(sprite_turn& turn) { return repeat_along(turn, x_axis, y_axis); }

turn_result behave_frame_move(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  const frame_leg& leg = frame_legs.at(static_cast<size_t>(s.framemovestate));
  float& position = s.*leg.axis->position;
  position = position + static_cast<float>(leg.sign) * (s.*leg.axis->velocity * turn.t);
  const float corner = leg.sign > 0 ? s.*leg.axis->high : s.*leg.axis->low;
  if (leg.sign > 0 ? position > corner : position < corner) {
    position = corner;
    s.framemovestate = leg.next;
  }
  s.direction = leg.direction;
  return count_down_then_off(s, turn.t);
}

turn_result behave_move_to_point(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  move(s, turn.t);
  stop_at_target(s.x, s.xdir, s.targetx);
  stop_at_target(s.y, s.ydir, s.targety);
  set_direction(s);
  if (std::floor(s.x) == std::floor(s.targetx) && std::floor(s.y) == std::floor(s.targety)) {
    s.enginetype = 0;
    s.direction = no_direction;
  }
  return turn_result::goes_on;
}

turn_result behave_shake(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  s.counter = s.counter + turn.t;
  if (s.counter >= s.speed) {
    s.counter = 0.0f;
    if (s.bvalue2 == shake_next_displaces) {
      s.bvalue2 = shake_next_returns;
      const auto [dx, dy] = movement_towards(turn.engine.lib_getnumber(0, highest_shot_angle), s.bvalue1, engine_pi);
      s.x = dx + s.basex;
      s.y = dy + s.basey;
    } else {
      s.bvalue2 = shake_next_displaces;
      s.x = s.basex;
      s.y = s.basey;
    }
  }
  return count_down_then_off(s, turn.t);
}

}  // namespace varnel2d
