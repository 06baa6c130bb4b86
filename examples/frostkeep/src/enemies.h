// The keep's spirits, each moved by one of the engine's behaviours: wisps hover in place and, once
// the player comes near, home in with inertia; snowballs roll to and fro between walls; bats
// cross their hall swaying up and down.
#pragma once

#include <vector>

#include "engine.h"
#include "level.h"

namespace frostkeep {

// Sprite numbers the spirits use.
inline constexpr int first_enemy_sprite = 10, last_enemy_sprite = 39;

struct enemy {
  int sprite;
  spawn home;
  bool awake = false;  // wisps only: homing on the player
};

// Places every spirit of the level; `pace` (1 on the first keep) scales their speeds.
std::vector<enemy> spawn_enemies(engine& e, const level& keep, double pace);
// Wisps within reach of the player wake with a whoosh, panned and louder the nearer they are.
void wake_wisps(engine& e, std::vector<enemy>& enemies, double pace);
// Wisps that woke go back to hovering where they started.
void send_wisps_home(engine& e, std::vector<enemy>& enemies);
// The first spirit touching the player, or 0.
int spirit_touching_player(engine& e);

}  // namespace frostkeep
