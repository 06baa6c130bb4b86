// The values the snow show keeps while it runs: the snow batch size, the scene sequence, the
// playlist, the loop flags and the mouse-movement window.
#pragma once

#include <array>
#include <cstdint>

namespace brisenfall {

// One part of a scene picture: where it comes from on which texture.
struct scene_part {
  int16_t texture = 0;
  int16_t source_x = 0;
  int16_t source_y = 0;
  int16_t width = 0;
  int16_t height = 0;
};

struct show_state {
  int16_t snow_amount = 0;      // the sprite table's size, N
  int16_t flakes_per_tick = 0;  // flakes started by each 40 ms batch

  int16_t scene_count = 10;
  int16_t current_scene = 0;    // 1..scene_count once the first scene is up
  bool layer_toggle = false;    // which sprite pair received the last scene
  std::array<scene_part, 2> scene_layout{};  // left part, right part

  int16_t music_count = 0;
  int16_t current_track = 0;
  std::array<bool, 65> loaded_tracks{};  // music slots 1..64 whose piece loaded; 0 unused

  bool show_running = false;
  bool keep_running = false;
  int16_t mouse_move_count = 0;
  int16_t last_mouse_x = -1;
  int16_t last_mouse_y = -1;
};

}  // namespace brisenfall
