// Behaviours that follow another sprite: tracking at a set speed, tracking with inertia, and
// riding on a sprite. Tracking compares the centres by frame of the two sprites.
#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/motion.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

constexpr int32_t track_code = 3;
constexpr int32_t latch_code = 8;
constexpr int32_t inertia_track_code = 11;

template <typename Number>
int sign(Number value) {
  return (value > 0) - (value < 0);
}

// One axis of inertia tracking: the speed grows by `gain` a unit towards the target, held within
// -`limit`..`limit`, and the position moves by it.
void track_with_inertia(float& position, float& speed, float gain, float limit, int towards, float t) {
  if (towards > 0) {
    speed = speed + gain * t;
    if (speed > limit) speed = limit;
  } else if (towards < 0) {
    speed = speed - gain * t;
    if (speed < -limit) speed = -limit;
  }
  position = position + speed * t;
}

}  // namespace

void Varnel_2D_Engine::sprite_enginetrack(double sprite, double spritetotrack, double xdir, double ydir,
                                          double length) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = track_code;
  s.target = to_int32(spritetotrack);
  s.xdir = static_cast<float>(xdir);
  s.ydir = static_cast<float>(ydir);
  s.length = static_cast<float>(length);
}

void Varnel_2D_Engine::sprite_enginetracki(double sprite, double spritetotrack, double htrack, double htrack_max,
                                           double vtrack, double vtrack_max, double length) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = inertia_track_code;
  s.target = to_int32(spritetotrack);
  s.bvalue1 = 0.0f;
  s.bvalue2 = static_cast<float>(htrack);
  s.bvalue3 = static_cast<float>(htrack_max);
  s.bvalue4 = 0.0f;
  s.bvalue5 = static_cast<float>(vtrack);
  s.bvalue6 = static_cast<float>(vtrack_max);
  s.length = static_cast<float>(length);
}

void Varnel_2D_Engine::sprite_enginelatch(double sprite, double spritetolatchonto, double xoffset, double yoffset,
                                          double length) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = latch_code;
  s.latchsprite = to_int32(spritetolatchonto);
  s.latchx = to_int32(xoffset);
  s.latchy = to_int32(yoffset);
  s.length = static_cast<float>(length);
}

namespace varnel2d {

turn_result behave_track(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  const frame_centre_point from = centre_by_frame(s);
  const frame_centre_point to = centre_by_frame(turn.sprites.at(s.target));
  const int across = sign(to.x - from.x);
  const int down = sign(to.y - from.y);
  s.x = s.x + static_cast<float>(across) * (s.xdir * turn.t);
  s.y = s.y + static_cast<float>(down) * (s.ydir * turn.t);
  if (across != 0 || down != 0) s.direction = move_direction(static_cast<float>(across), static_cast<float>(down));
  return count_down_then_off(s, turn.t);
}

turn_result behave_track_with_inertia(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  const sprite_record& target = turn.sprites.at(s.target);
  const frame_centre_point from = centre_by_frame(s);
  const frame_centre_point to = centre_by_frame(target);
  track_with_inertia(s.x, s.bvalue1, s.bvalue2, s.bvalue3, sign(to.x - from.x), turn.t);
  track_with_inertia(s.y, s.bvalue4, s.bvalue5, s.bvalue6, sign(to.y - from.y), turn.t);
  s.direction = direction_between(s, target);
  return count_down_then_off(s, turn.t);
}

turn_result behave_latch(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  const sprite_record& ridden = turn.sprites.at(s.latchsprite);
  if (ridden.state == 0) return end_turn_off(s);
  if (count_down_then_off(s, turn.t) == turn_result::ends) return turn_result::ends;
  s.x = ridden.x + static_cast<float>(s.latchx);
  s.y = ridden.y + static_cast<float>(s.latchy);
  s.direction = ridden.direction;
  return turn_result::goes_on;
}

}  // namespace varnel2d
