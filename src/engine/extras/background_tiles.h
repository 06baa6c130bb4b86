// Private state of the starfield, the tilers and the effect tiles, and the small arithmetic they
// draw with.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/draw_math.h"
#include "engine/sprites/effect_style.h"

namespace varnel2d {

struct star {
  float x = 0.0f, y = 0.0f;
  float speed = 0.0f;
  int32_t frame = 0;
  int32_t alpha = 255;
  float scale = 1.0f;
  float rotation = 0.0f, rotation_speed = 0.0f;
};

struct starfield {
  bool active = false;
  int32_t texture = 0, srcx = 0, srcy = 0, srcwidth = 0, srcheight = 0, frames = 0;
  int32_t xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  std::vector<star> stars;  // star n at n - 1
};

struct tiler {
  bool active = false;
  int32_t texture = 0;
  float tilex = 0.0f, tiley = 0.0f;
  int32_t tilewidth = 0, tileheight = 0;
  float x = 0.0f, y = 0.0f;          // scroll position
  float destx = 0.0f, desty = 0.0f;  // start position
  int32_t destwidth = 0, destheight = 0;
  edge_rect dest;
  float alpha = 0.0f;
};

struct effect_tile {
  bool active = false;
  float x = 0.0f, y = 0.0f;  // centre
  int32_t texture = 0, sourcex = 0, sourcey = 0, sourcewidth = 0, sourceheight = 0;
  bool shadow = false;
  float shadowalpha = 0.0f;
  int32_t shadowx = 0, shadowy = 0;
  float scale = 1.0f, alpha = 255.0f, rotation = 0.0f;
  effect_channel scaling, fading, rotating;
};

inline constexpr int32_t background_slot_count = 64;

struct background_tiles {
  starfield stars;
  std::array<tiler, background_slot_count> tilers;      // tiler n at n - 1
  std::array<effect_tile, background_slot_count> tiles;  // effect tile n at n - 1
};

// One step of a scroll position kept within a tile of its start: below start - tile it returns to
// start, above start to start - tile + 1.
float scroll_within_tile(float position, float start, int32_t tile);

// A rotation turned by `step`, kept in 0..359 (above 359 becomes 0, below 0 becomes 359).
float turn_star(float rotation, float step);

}  // namespace varnel2d
