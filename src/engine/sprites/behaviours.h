// The behaviour functions, one per behaviour code, that behaviour_table.cpp puts into its slots.
#pragma once

#include "engine/sprites/behaviour_table.h"

namespace brisenfall {

// Swings and circles (behaviours_wave.cpp).
// 7: falls while swinging sideways on a cosine; off outside the bounds.
turn_result behave_sway_fall(sprite_turn& turn);

// 35: fade on, hold, fade off (started by sprite_enginefadeonfadeoff), in sprite_effects.cpp.
turn_result behave_fade_on_fade_off(sprite_turn& turn);

}  // namespace brisenfall
