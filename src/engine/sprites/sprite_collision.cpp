// Collision tests: boxes, rectangles and circles; a sprite against a range of sprites by box or
// circle; a sprite against an area; and the cursor over an area or a sprite.
#include <algorithm>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/draw_math.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

// The cursor is tested as a 2 x 2 box around its hot spot.
constexpr float cursor_box_size = 2.0f;

struct circle {
  float x = 0.0f, y = 0.0f, radius = 0.0f;
};

bool collidable(const sprite_record& s) { return s.state != 0 && s.collidestatus; }

// The collision box with only its size scaled.
pixel_box plain_box(const sprite_record& s) {
  return {s.x + static_cast<float>(s.collidex), s.y + static_cast<float>(s.collidey),
          s.scale * static_cast<float>(s.collidewidth), s.scale * static_cast<float>(s.collideheight)};
}

// The collision box moved to the drawn frame's corner for a centre-origin sprite.
pixel_box origin_box(const sprite_record& s) {
  pixel_box box = plain_box(s);
  if (!s.origintopleft) {
    box.x = static_cast<float>(box.x - s.scale * static_cast<float>(s.framewidth) / 2);
    box.y = static_cast<float>(box.y - s.scale * static_cast<float>(s.frameheight) / 2);
  }
  return box;
}

circle collision_circle(const sprite_record& s) { return {s.x, s.y, s.scale * static_cast<float>(s.collideradius)}; }

// The first collidable sprite in first..last whose shape meets the sprite's; 0 when none does.
template <typename ShapeOf, typename Meets>
double first_collision(sprite_table& sprites, double sprite, double first, double last, ShapeOf shape_of, Meets meets) {
  const sprite_record& s = sprites.at(sprite);
  if (!collidable(s)) return 0;
  const auto mine = shape_of(s);
  for (int32_t n = to_int32(first); n <= to_int32(last); ++n) {
    const sprite_record& other = sprites.at(n);
    if (collidable(other) && meets(mine, shape_of(other))) return n;
  }
  return 0;
}

// Marks, for each sprite in first..last that `hits` has room for, whether it meets the sprite.
template <typename ShapeOf, typename Meets>
void mark_collisions(sprite_table& sprites, double sprite, double first, double last, std::span<uint8_t> hits,
                     ShapeOf shape_of, Meets meets) {
  const sprite_record& s = sprites.at(sprite);
  const bool active = collidable(s);
  const auto mine = shape_of(s);
  for (int32_t n = to_int32(first); n <= to_int32(last) && static_cast<size_t>(n) < hits.size(); ++n) {
    const sprite_record& other = sprites.at(n);
    hits[static_cast<size_t>(n)] = active && collidable(other) && meets(mine, shape_of(other)) ? 1 : 0;
  }
}

// The engine's circle test, as a predicate on two collision circles.
auto circles_meet(Varnel_2D_Engine& engine) {
  return [&engine](const circle& a, const circle& b) {
    return engine.lib_collidecircle(a.x, a.y, a.radius, b.x, b.y, b.radius);
  };
}

pixel_box box_of(double x, double y, double width, double height) {
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(width), static_cast<float>(height)};
}

}  // namespace

bool Varnel_2D_Engine::lib_collide(double x1, double y1, double width, double height, double x2, double y2,
                                   double width2, double height2) {
  return boxes_overlap(box_of(x1, y1, width, height), box_of(x2, y2, width2, height2));
}

bool Varnel_2D_Engine::lib_collideapi(const edge_rect& rect1, const edge_rect& rect2) {
  return std::max(rect1.left, rect2.left) < std::min(rect1.right, rect2.right) &&
         std::max(rect1.top, rect2.top) < std::min(rect1.bottom, rect2.bottom);
}

bool Varnel_2D_Engine::lib_collidecircle(double x1, double y1, double radius1, double x2, double y2, double radius2) {
  return lib_getdistance(x1, y1, x2, y2) <= radius1 + radius2;
}

double Varnel_2D_Engine::sprite_collidebox(double sprite, double startsprite, double endsprite) {
  return first_collision(state_->sprites, sprite, startsprite, endsprite, plain_box, boxes_overlap);
}

double Varnel_2D_Engine::sprite_collideboxorigin(double sprite, double startsprite, double endsprite) {
  return first_collision(state_->sprites, sprite, startsprite, endsprite, origin_box, boxes_overlap);
}

double Varnel_2D_Engine::sprite_collidecircle(double sprite, double startsprite, double endsprite) {
  return first_collision(state_->sprites, sprite, startsprite, endsprite, collision_circle, circles_meet(*this));
}

void Varnel_2D_Engine::sprite_collideboxoriginarray(double sprite, double startsprite, double endsprite,
                                                    std::span<uint8_t> hits) {
  mark_collisions(state_->sprites, sprite, startsprite, endsprite, hits, origin_box, boxes_overlap);
}

void Varnel_2D_Engine::sprite_collidecirclearray(double sprite, double startsprite, double endsprite,
                                                 std::span<uint8_t> hits) {
  mark_collisions(state_->sprites, sprite, startsprite, endsprite, hits, collision_circle, circles_meet(*this));
}

bool Varnel_2D_Engine::sprite_collideoverarea(double sprite, double x, double y, double width, double height) {
  const sprite_record& s = state_->sprites.at(sprite);
  return collidable(s) && boxes_overlap(origin_box(s), box_of(x, y, width, height));
}

bool Varnel_2D_Engine::mouse_overarea(double x, double y, double width, double height) {
  return lib_collide(mousex - 1, mousey - 1, cursor_box_size, cursor_box_size, x, y, width, height);
}

double Varnel_2D_Engine::mouse_oversprite() {
  const double x = static_cast<double>(mapx) + mousex - 1;
  const double y = static_cast<double>(mapy) + mousey - 1;
  double over = 0;
  for (int32_t n = 1; n <= state_->sprites.spritetotal; ++n) {
    if (sprite_collideoverarea(n, x, y, cursor_box_size, cursor_box_size)) over = n;
  }
  return over;
}
