// The scene sequence: ten pictures cut from one strip of texture slices, shown on two sprite pairs
// that cross-fade at every change.
#pragma once

#include <cstdint>

#include "show/show_state.h"

class Varnel_2D_Engine;

namespace brisenfall {

inline constexpr int16_t SCENE_COUNT = 10;

// Fills the layout with the two parts of a scene 1..10; any other number leaves it as it is.
void get_frame(show_state& show, int32_t sceneindex);

// Puts the next scene on the pair that is not showing, fades it in and the other pair out.
void new_scene(Varnel_2D_Engine& engine, show_state& show);

}  // namespace brisenfall
