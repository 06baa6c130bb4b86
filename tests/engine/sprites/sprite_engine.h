// The started engine with a sprite table and one 64 x 64 texture in slot 1, for the sprite tests,
// and the helpers that read its z-order, passes and places.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "support/engine_fixture.h"

namespace varnel2d::testing {

template <typename Engine>
struct sprite_engine : started_engine<Engine> {
  explicit sprite_engine(int32_t sprites = 10, uint32_t texture_colour = 0xFFFFFFFFu) {
    this->load_texture(1, 64, 64, texture_colour);
    this->engine->sprite_init(sprites);
  }
  // A top-left or centre-origin sprite of one 16 x 16 frame of texture 1.
  void frame_at(double sprite, double x, double y, bool origintopleft = true) {
    this->engine->sprite_on(sprite, x, y, 1, 0, 0, 0, 0, 16, 16, origintopleft);
  }
};

using recorded_sprites = sprite_engine<recorded_engine>;
using headless_sprites = sprite_engine<headless_engine>;

// The z-order list as drawn: every sprite n is switched on at x = 20 n and the pass is run;
// the quads' x positions, back to front, give the sprite numbers.
inline std::vector<int32_t> drawn_order(recorded_sprites& e) {
  const auto total = static_cast<int32_t>(e->sprite_getreservedtotal());
  for (int32_t n = 1; n <= total; ++n) e.frame_at(n, 20.0 * n, 0);
  e.display->quads.clear();
  e->sprites_draw();
  std::vector<int32_t> order;
  for (const sprite_quad& quad : e.display->quads) order.push_back(static_cast<int32_t>(quad.x) / 20);
  return order;
}

// Runs one sprite pass and returns how many quads it drew.
inline size_t pass(recorded_sprites& e) {
  e.display->quads.clear();
  e->sprites_draw();
  return e.display->quads.size();
}

// A sprite's position.
inline std::pair<double, double> where(recorded_sprites& e, double sprite) {
  return {e->sprite_getx(sprite), e->sprite_gety(sprite)};
}

}  // namespace varnel2d::testing
