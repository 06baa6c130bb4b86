// Where things are on Frostkeep's pictures: the sprite sheet's rows, the animations of the
// animation file, the tiles of the tile sheet and the things of the map's second layer. The art
// tool that paints the sheets and the game that reads them both go by this one list.
#pragma once

namespace frostkeep::layout {

// Sprite frames and tiles are 32 x 32 pixels on the engine's grid: a one-pixel gap between cells.
inline constexpr int cell = 32;
inline constexpr int pitch = cell + 1;

// The sprite sheet: 8 columns, one row each of the player walking down, up, left and right
// (4 frames), the spirits (wisp frames in columns 0-3, bat frames in 4-7), small things
// (snowball, 5 sparkle frames, a round glow, the lantern's halo) and the player freezing (4 frames).
enum sprite_row : int { row_down, row_up, row_left, row_right, row_spirits, row_things, row_frozen };
inline constexpr int sprite_columns = 8, sprite_rows = 7;
inline constexpr int snowball_column = 0, sparkle_column = 1, glow_column = 6, halo_column = 7;

// Animations of the animation file, numbered from 1 as the engine numbers them.
enum animation : int {
  walk_down = 1, walk_up, walk_left, walk_right, wisp_flicker, bat_flap, sparkle_burst, player_freeze,
  animation_count = player_freeze
};

// Tiles in the engine's tile numbering: row by row across the sheet, from 1.
enum tile : int {
  floor_a = 1, floor_b, floor_snow, floor_ice, exit_closed, exit_open, floor_cracked, white_block,
  wall_top, wall_face, wall_banner, pillar, torch_first, torch_last = torch_first + 3,
  crystal_first, crystal_last = crystal_first + 3, frost_panel, wall_top_snow, wall_face_ice, floor_rune
};
inline constexpr int tiles_across = 8, tiles_down = 3;

// Walls, pillars and torches stop the player; everything else is floor.
constexpr bool is_solid(int t) {
  return (t >= wall_top && t <= torch_last) || t == wall_top_snow || t == wall_face_ice;
}
constexpr bool is_crystal(int t) { return t >= crystal_first && t <= crystal_last; }

// The map's second layer: where the player starts and where the spirits wait.
enum thing : int { nothing = 0, player_start, wisp, snowball_across, snowball_down, bat };

// The bitmap font: 16 letters a row from the blank (code 32) on, 14 x 20 pixels each.
inline constexpr int font_width = 14, font_height = 20, font_across = 16, font_rows = 6;

}  // namespace frostkeep::layout
