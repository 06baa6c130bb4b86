// Private state of the tile-map family: geometry, the live cells with their effects, the stored
// buffers and the camera sprite; and the tile lookup, camera and cell arithmetic.
#pragma once

#include <cstdint>
#include <optional>

#include <varnel2d/engine_types.h>
#include <vector>

#include "engine/sprites/effect_style.h"

namespace varnel2d {

// Everything map_init is given, as stored (and as a map file holds it).
struct map_geometry {
  int32_t tile_width = 0, tile_height = 0;
  int32_t mapwidth = 0, mapheight = 0;
  int32_t maptextureswidth = 0, maptexturesheight = 0;
  int32_t sourcetilesacross = 0, sourcetilesdown = 0;
  int32_t howmanymaptextures = 0;
  int32_t howmanyindexes = 1;
};

// The most entries a map may hold: live cells times buffers.
inline constexpr int64_t most_map_entries = int64_t{64} * 1024 * 1024;

// True for a geometry a map can be built on: positive sizes, a non-negative texture count and no
// more than most_map_entries (howmanyindexes below 1 counts as 1).
bool geometry_fits(const map_geometry& geometry);

// True when the tiles, with the one-pixel gaps between them, fit on a texture of the largest size a
// display takes: so a tile index can only name a rectangle a texture can hold.
bool tiles_fit_texture(const map_geometry& geometry, int32_t largest_width, int32_t largest_height);

// Where tile index k is drawn from.
struct tile_source {
  int32_t x = 0, y = 0, texture = 0;  // texture number 1..howmanymaptextures
};

// The running effects of one cell, kept apart from the cell because few cells have any.
struct cell_effects {
  effect_channel scaling, fading, rotating, animating;
  float animation = 0.0f;        // the animation's value; the tile index is its floor
  float animation_start = 0.0f;  // where it returns to
  int32_t rotate_target = 0;     // the sprite rotation style 9 faces
  bool any_running() const { return scaling.running || fading.running || rotating.running || animating.running; }
};

struct map_cell {
  int32_t value = 0;  // tile index, 0 empty
  float scale = 1.0f, alpha = 255.0f, rotation = 0.0f;
  int32_t effects = -1;  // its record in tile_map::effects, -1 until an effect is first started
};

struct tile_map {
  bool active = false;  // map_init has run
  map_geometry geometry;
  int32_t across = 0, down = 0;     // visible cells across and down
  std::vector<map_cell> cells;      // row by row
  std::vector<cell_effects> effects;
  std::vector<int16_t> buffers;     // buffer by buffer, each row by row
  int32_t camera_sprite = 0;

  int64_t pixel_width() const { return int64_t{geometry.mapwidth} * geometry.tile_width; }
  int64_t pixel_height() const { return int64_t{geometry.mapheight} * geometry.tile_height; }
  // The cell at column x, row y; nullptr outside the map.
  map_cell* cell(int64_t x, int64_t y);
  // The effects record of a cell, made on first use.
  cell_effects& effects_of(map_cell& cell);
  // Buffer entry (index 1..howmanyindexes, x, y); nullptr outside.
  int16_t* buffer_entry(int64_t index, int64_t x, int64_t y);
};

// Where tile index k (1 .. tiles per texture x textures) is drawn from: indexes run through the
// textures, within one through its rows and within a row through its columns; tiles are separated
// by a one-pixel gap. Worked out from the geometry, so a map takes no memory for its tile set.
// Nothing for an index outside that range.
std::optional<tile_source> tile_source_of(const map_geometry& geometry, int64_t k);

// The camera (x, y) kept inside the map: top and left first, then right and bottom, which may push
// a map smaller than the screen to a negative position.
map_edge_hits clamp_camera(float& x, float& y, const tile_map& map);

}  // namespace varnel2d
