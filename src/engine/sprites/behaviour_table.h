// The per-frame steps that the sprite pass dispatches to: one slot per behaviour code 1..35 and
// one slot for the frame animation. An empty slot does nothing.
//
// Adding behaviour code N:
//   1. write `turn_result behave_<name>(sprite_turn& turn)` in a behaviour source of engine/sprites/
//      and declare it in engine/sprites/behaviours.h;
//   2. put it, with the name of the public operation that starts it, into slot N of
//      `behaviour_table` in behaviour_table.cpp.
// The pass calls the slot once a frame for every sprite that is on and whose `enginetype` is N,
// before the animation and the effects. Return turn_result::ends to end the sprite's turn (not
// animated, not faded, not drawn this frame): `end_turn_off(sprite)` switches it off and ends the
// turn. The helpers for moving, accelerating, angles, bounds and directions are in motion.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/sprites/animation_table.h"
#include "engine/sprites/sprite_table.h"

class Varnel_2D_Engine;

namespace varnel2d {

enum class turn_result { goes_on, ends };

// One sprite's turn in the pass.
struct sprite_turn {
  Varnel_2D_Engine& engine;  // public operations: lib_getnumber, key_check, sound_play, ...
  sprite_table& sprites;     // every record, for targets, latches and orbits
  const animation_table& animations;  // animations and offset paths
  sprite_record& sprite;     // the sprite whose turn it is
  int32_t number;            // its sprite number
  float t;                   // timedelta
};

using sprite_step = turn_result (*)(sprite_turn& turn);

inline constexpr int32_t highest_behaviour_code = 35;

// A behaviour and the public operation that starts it, for the log.
struct behaviour_slot {
  sprite_step step = nullptr;
  const char* operation = nullptr;
};

// Slot N runs behaviour code N; slot 0 and the codes without a behaviour are empty.
extern const std::array<behaviour_slot, highest_behaviour_code + 1> behaviour_table;

// Advances the frame animation of a sprite whose `animmode` is 1 or more.
extern const sprite_step animation_step;

// The slot for a behaviour code; an empty one for a code outside 1..35.
inline behaviour_slot behaviour_slot_for(int32_t code) {
  if (code < 1 || code > highest_behaviour_code) return {};
  return behaviour_table[static_cast<std::size_t>(code)];
}

// The behaviour of a code; nullptr for an empty slot or a code outside 1..35.
inline sprite_step behaviour_for(int32_t code) { return behaviour_slot_for(code).step; }

}  // namespace varnel2d
