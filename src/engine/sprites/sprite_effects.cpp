// The sprite effects: starting scale, rotation and alpha effects, facing, the colour flash and
// the fade-on-hold-fade-off behaviour, and the per-frame effect step of the sprite pass.
#include <algorithm>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/draw_math.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/effect_style.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

constexpr float natural_scale = 1.0f;
constexpr float natural_rotate = 0.0f;
constexpr float natural_alpha = 255.0f;
constexpr double highest_rotation_limit = 719;
constexpr double highest_alpha = 255;
constexpr int32_t fade_on_fade_off_code = 35;

// Fade-on-fade-off phases, held in bvalue4.
constexpr float fading_in = 0.0f;
constexpr float holding = 1.0f;

// Starts an effect: a starting value above -1 replaces the current one.
void start_effect(float& value, effect_channel& effect, double starting, double step, double min, double max,
                  double length, double style) {
  if (starting > -1) value = static_cast<float>(starting);
  effect.step = static_cast<float>(step);
  effect.min = static_cast<float>(min);
  effect.max = static_cast<float>(max);
  effect.length = to_int32(length);
  effect.style = to_int32(style);
  effect.running = true;
}

}  // namespace

void Varnel_2D_Engine::sprite_enginesetscaling(double sprite, double startingscale, double startingdir, double min,
                                               double max, double length, double style) {
  sprite_record& s = state_->sprites.at(sprite);
  start_effect(s.scale, s.scaling, startingscale, startingdir, min, max, length, style);
}

void Varnel_2D_Engine::sprite_enginesetrotating(double sprite, double startingrotate, double startingdir, double min,
                                                double max, double length, double style) {
  sprite_record& s = state_->sprites.at(sprite);
  start_effect(s.rotate, s.rotating, startingrotate, startingdir, std::max(min, 0.0),
               std::min(max, highest_rotation_limit), length, style);
}

void Varnel_2D_Engine::sprite_enginesetalphafading(double sprite, double startingalpha, double startingdir, double min,
                                                   double max, double length, double style) {
  sprite_record& s = state_->sprites.at(sprite);
  start_effect(s.alpha, s.fading, startingalpha, startingdir, std::max(min, 0.0), std::min(max, highest_alpha), length,
               style);
}

void Varnel_2D_Engine::sprite_enginerotatetosprite(double sprite, double spritetorotateto) {
  sprite_record& s = state_->sprites.at(sprite);
  s.rotating.running = true;
  s.rotating.style = effect_styles::face_target;
  s.rotatetarget = to_int32(spritetorotateto);
}

void Varnel_2D_Engine::sprite_enginerotatetodirection(double sprite) {
  sprite_record& s = state_->sprites.at(sprite);
  s.rotating.running = true;
  s.rotating.style = effect_styles::face_travel;
  s.lastx = s.x;
  s.lasty = s.y;
}

void Varnel_2D_Engine::sprite_enginesetalphaflash(double sprite, double r, double g, double b, double speed) {
  sprite_setrgb(sprite, r, g, b);
  sprite_record& s = state_->sprites.at(sprite);
  s.fading.running = true;
  s.fading.style = effect_styles::colour_flash;
  s.fading.step = static_cast<float>(speed);
}

void Varnel_2D_Engine::sprite_enginefadeonfadeoff(double sprite, double speed, double holdtime) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = fade_on_fade_off_code;
  s.bvalue1 = 0.0f;
  s.bvalue2 = static_cast<float>(speed);
  s.bvalue3 = static_cast<float>(holdtime);
  s.bvalue4 = fading_in;
  sprite_enginesetalphafading(sprite, 0, speed, 0, 255, 0, effect_styles::stop_at_limit);
}

bool Varnel_2D_Engine::sprite_engineisscaling(double sprite) { return state_->sprites.at(sprite).scaling.running; }
bool Varnel_2D_Engine::sprite_engineisrotating(double sprite) { return state_->sprites.at(sprite).rotating.running; }
bool Varnel_2D_Engine::sprite_engineisalphafading(double sprite) { return state_->sprites.at(sprite).fading.running; }

bool Varnel_2D_Engine::private_sprite_effects(sprite_record& s) {
  const float t = timedelta;
  if (s.scaling.running && advance_effect(s.scale, s.scaling, natural_scale, t)) {
    switch_off(s);
    return false;
  }
  if (s.rotating.running) {
    if (s.rotating.style == effect_styles::face_target) {
      const grid_point from = sprite_centre(s);
      const grid_point to = sprite_centre(state_->sprites.at(s.rotatetarget));
      s.rotate = static_cast<float>(lib_getangle(static_cast<float>(from.x), static_cast<float>(from.y),
                                                 static_cast<float>(to.x), static_cast<float>(to.y)));
    } else if (s.rotating.style == effect_styles::face_travel) {
      advance_face_travel(s.rotate, s.lastx, s.lasty, s.x, s.y);
    } else if (advance_effect(s.rotate, s.rotating, natural_rotate, t)) {
      switch_off(s);
      return false;
    }
  }
  if (s.fading.running) {
    if (s.fading.style == effect_styles::colour_flash) {
      advance_colour_flash(s.r, s.g, s.b, s.fading, t);
    } else if (advance_effect(s.alpha, s.fading, natural_alpha, t)) {
      switch_off(s);
      return false;
    }
  }
  return true;
}

namespace varnel2d {

turn_result behave_fade_on_fade_off(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  if (s.bvalue4 == fading_in) {
    if (s.alpha == natural_alpha) s.bvalue4 = holding;
  } else {
    s.bvalue3 = s.bvalue3 - turn.t;
    if (s.bvalue3 < 1) {
      s.enginetype = 0;
      turn.engine.sprite_enginesetalphafading(turn.number, 255, -static_cast<double>(s.bvalue2), 0, 255, 0,
                                              effect_styles::off_at_limit);
    }
  }
  return turn_result::goes_on;
}

}  // namespace varnel2d
