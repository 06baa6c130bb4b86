// The snowfall: batches of flakes started just above the picture, each on a free sprite, falling
// on its own cosine sway; the sprite pass moves them and frees them when they leave.
#pragma once

#include "show/show_state.h"

class Varnel_2D_Engine;

namespace brisenfall {

// Texture numbers of the flakes.
inline constexpr int32_t COMMON_FLAKE_TEXTURE = 14;
inline constexpr int32_t FIRST_CRYSTAL_TEXTURE = 15;
inline constexpr int32_t LAST_CRYSTAL_TEXTURE = 26;
inline constexpr int32_t CRYSTAL_SHEET_TEXTURE = 28;

// The snow batch size for a snow amount: amount / 100, to nearest, halves to even.
int16_t flakes_per_tick_for(int32_t snow_amount);

// Starts one batch of flakes on the free sprites 2 .. N-4.
void start_snowflakes(Varnel_2D_Engine& engine, const show_state& show);

}  // namespace brisenfall
