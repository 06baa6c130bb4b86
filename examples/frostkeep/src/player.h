// The lantern-bearer: a sprite moved by the controls and held off the walls, walking in the
// direction it faces, with a warm halo that rides along (the engine's latch behaviour).
#pragma once

#include "controls.h"
#include "engine.h"
#include "sheet_layout.h"

namespace frostkeep {

// Sprite numbers: the player in front of everything, the halo behind everything.
inline constexpr int player_sprite = 1, halo_sprite = 64, sprite_count = 64;

struct player {
  double x = 0, y = 0;
  layout::sprite_row facing = layout::row_down;
  bool walking = false;
};

// Pixels per millisecond.
inline constexpr double walk_speed = 0.13;

void spawn_player(engine& e, player& p, double x, double y);
// One frame of walking: each axis on its own, so the player slides along a wall it runs into.
void move_player(engine& e, player& p, const controls& c);
// Frozen by a spirit: the freezing animation runs once and stops on its last frame.
void freeze_player(engine& e, player& p);
// Blinks for `ms` milliseconds, untouchable meanwhile.
void shield_player(engine& e, double ms);

}  // namespace frostkeep
