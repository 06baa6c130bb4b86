// The per-frame sprite pass: one walk over the z-order list that counts down delays, runs each
// live sprite's behaviour, animation and effects, and draws its shadow and then the sprite.
#include <cmath>
#include <stdexcept>
#include <string>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/angles.h"
#include "engine/draw_math.h"
#include "engine/sprites/behaviour_table.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/motion.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

void Varnel_2D_Engine::sprites_draw() {
  const float t = timedelta;
  const int32_t total = state_->sprites.spritetotal;
  for (int32_t position = 1; position <= total; ++position) {
    const int32_t number = state_->sprites.zorder[static_cast<size_t>(position)];
    sprite_record& s = state_->sprites.sprites[static_cast<size_t>(number)];
    if (s.state == 0) {
      // Waiting sprites count down; one that wakes up is neither moved nor drawn this frame.
      if (s.delay != 0) {
        s.delay = to_int32(s.delay - static_cast<double>(t));
        if (s.delay < 1) {
          s.enginetype = s.pendingtype;
          s.delay = 0;
          s.state = 1;
        }
      }
      continue;
    }
    turn_part part = turn_part::behaviour;
    try {
      if (!private_sprite_update(s, number, part)) continue;
    } catch (const std::out_of_range& fault) {
      // An animation, a path point or a sprite that the sprite's data names is not there: that
      // part of its turn ends, and the sprite stays where it is.
      private_sprite_part_failed(s, number, part, fault.what());
      if (s.state == 0) continue;
    }
    private_sprite_draw(s);
  }
}

bool Varnel_2D_Engine::private_sprite_update(sprite_record& s, int32_t number, turn_part& part) {
  const float t = timedelta;
  if (const sprite_step behaviour = behaviour_for(s.enginetype); behaviour != nullptr) {
    part = turn_part::behaviour;
    sprite_turn turn{*this, state_->sprites, state_->animations, s, number, t};
    // A behaviour that switched the sprite off has ended its turn whatever it returned.
    if (behaviour(turn) == turn_result::ends || s.state == 0) return false;
  }
  if (s.animmode >= 1) {
    part = turn_part::animation;
    sprite_turn turn{*this, state_->sprites, state_->animations, s, number, t};
    if (animation_step(turn) == turn_result::ends || s.state == 0) return false;
  }
  part = turn_part::effects;
  return private_sprite_effects(s);
}

void Varnel_2D_Engine::private_sprite_part_failed(sprite_record& s, int32_t number, turn_part part, const char* fault) {
  std::string operation;
  switch (part) {
    case turn_part::behaviour:
      operation = behaviour_slot_for(s.enginetype).operation;
      s.enginetype = 0;
      break;
    case turn_part::animation:
      operation = animation_operation(s.animmode);
      s.animmode = 0;
      break;
    case turn_part::effects:
      operation = "sprite_enginerotatetosprite";  // the one effect that reads another record
      s.rotating.running = false;
      break;
  }
  if (state_->sprites.faults_logged.emplace(number, operation).second)
    log("Error. (" + operation + ") Sprite " + std::to_string(number) + ": " + fault + "; it stops there.");
}

void Varnel_2D_Engine::private_sprite_draw(const sprite_record& s) {
  sprite_quad quad;
  const grid_point cell = grid_cell(s.srcx, s.srcy, s.xframe, s.yframe, s.framewidth, s.frameheight);
  quad.left = to_int32(cell.x);
  quad.top = to_int32(cell.y);
  quad.right = quad.left + s.framewidth;
  quad.bottom = quad.top + s.frameheight;
  quad.scale_x = quad.scale_y = s.scale;
  quad.centre_x = s.scale * static_cast<float>(s.framewidth / 2);
  quad.centre_y = s.scale * static_cast<float>(s.frameheight / 2);
  quad.rotation = state_->core.angle_table[static_cast<size_t>(angle_index(s.rotate))];
  // The corner before the camera: the position itself, or the centre less half the scaled size.
  float left = s.x;
  float top = s.y;
  if (!s.origintopleft) {
    left = s.x - static_cast<float>(to_int32(s.scale * static_cast<float>(s.framewidth)) / 2);
    top = s.y - static_cast<float>(to_int32(s.scale * static_cast<float>(s.frameheight)) / 2);
  }
  if (s.shadow) {
    quad.x = std::floor(left + static_cast<float>(s.shadowx) - mapx);
    quad.y = std::floor(top + static_cast<float>(s.shadowy) - mapy);
    quad.colour = pack_argb(std::floor(s.shadowalpha), 0, 0, 0);
    private_draw(s.textureindex, quad);
  }
  quad.x = std::floor(left - mapx);
  quad.y = std::floor(top - mapy);
  quad.colour = pack_argb(std::floor(s.alpha), std::floor(s.r), std::floor(s.g), std::floor(s.b));
  private_draw(s.textureindex, quad);
}

int16_t Varnel_2D_Engine::private_get_move_direction(double sprite) {
  const sprite_record& s = state_->sprites.at(sprite);
  return move_direction(s.xdir, s.ydir);
}

int16_t Varnel_2D_Engine::private_get_direction_to_sprite(double sprite1, double sprite2) {
  return direction_between(state_->sprites.at(sprite1), state_->sprites.at(sprite2));
}
