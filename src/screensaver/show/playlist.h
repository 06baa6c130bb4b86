// The music playlist: the four built-in pieces or the user's list, started in turn from a random
// first piece, checked every five seconds.
#pragma once

#include "shell/shell_state.h"
#include "show/show_state.h"

class Varnel_2D_Engine;

namespace brisenfall {

inline constexpr int16_t BUILT_IN_PIECES = 4;

// Loads the pieces, sets the volume and picks the first piece (nothing is loaded when muted).
void music_setup(Varnel_2D_Engine& engine, show_state& show, const settings_values& settings);

// At each five-second tick: when nothing plays, starts the next piece that loaded.
void music_check(Varnel_2D_Engine& engine, show_state& show, const settings_values& settings);

}  // namespace brisenfall
