// Walking, walls and the player's animations.
#include "player.h"

#include <cmath>

#include "assets.h"
#include "level.h"

namespace frostkeep {
namespace {

namespace L = layout;

// The feet's box against walls, from the sprite's centre: the head may overlap a wall's face.
constexpr double half_width = 7, box_top = 2, box_bottom = 13;

constexpr L::animation walk_of(L::sprite_row facing) {
  return facing == L::row_up ? L::walk_up : facing == L::row_left ? L::walk_left
                                          : facing == L::row_right ? L::walk_right : L::walk_down;
}

// Moves from `from` by `step` along one axis; where the leading edge enters a solid cell, stops
// just short of that cell. `solid_edge` tells whether the edge at a position is blocked.
template <typename SolidEdge>
double slide(double from, double step, double lead_ahead, double lead_behind, SolidEdge solid_edge) {
  if (step == 0) return from;
  const double to = from + step;
  const double edge = step > 0 ? to + lead_ahead : to - lead_behind;
  if (!solid_edge(edge)) return to;
  const double cell = std::floor(edge / L::cell) * L::cell;
  return step > 0 ? cell - lead_ahead - 0.01 : cell + L::cell + lead_behind + 0.01;
}

}  // namespace

void spawn_player(engine& e, player& p, double x, double y) {
  p = player{x, y};
  e.sprite_on(player_sprite, x, y, sprites_texture, 0, 0, 0, L::row_down, L::cell, L::cell);
  e.sprite_setcollidebox(player_sprite, 9, 8, 14, 20);
  e.sprite_setshadow(player_sprite, 60, 2, 3, true);
  e.sprite_on(halo_sprite, x, y, sprites_texture, 0, 0, L::halo_column, L::row_things, L::cell, L::cell);
  e.sprite_setscale(halo_sprite, 4.5);
  e.sprite_setalpha(halo_sprite, 95);
  e.sprite_setcollidestatus(halo_sprite, false);
  e.sprite_enginelatch(halo_sprite, player_sprite, 0, 2);
}

void move_player(engine& e, player& p, const controls& c) {
  const double step = walk_speed * e.timedelta * (c.x != 0 && c.y != 0 ? std::sqrt(0.5) : 1.0);
  p.x = slide(p.x, c.x * step, half_width, half_width,
              [&](double edge) { return solid_at(e, edge, p.y + box_top) || solid_at(e, edge, p.y + box_bottom); });
  p.y = slide(p.y, c.y * step, box_bottom, -box_top,
              [&](double edge) { return solid_at(e, p.x - half_width, edge) || solid_at(e, p.x + half_width, edge); });
  e.sprite_setxy(player_sprite, p.x, p.y);

  const bool walking = c.x != 0 || c.y != 0;
  const L::sprite_row facing = c.x < 0 ? L::row_left : c.x > 0 ? L::row_right : c.y < 0 ? L::row_up
                               : c.y > 0 ? L::row_down : p.facing;
  if (walking && (!p.walking || facing != p.facing)) e.sprite_animateloop(player_sprite, walk_of(facing), 110);
  if (!walking && p.walking) {
    e.sprite_animateoff(player_sprite);
    e.sprite_animatesetframeindex(player_sprite, 0, facing);
  }
  p.walking = walking;
  p.facing = facing;
}

void freeze_player(engine& e, player& p) {
  p.walking = false;
  e.sprite_enginesetalphafading(player_sprite, 255, 1, 0, 255, 0, 7);  // a blink in progress ends
  e.sprite_animateonce(player_sprite, L::player_freeze, 160);
  e.sprite_setcollidestatus(player_sprite, false);
}

void shield_player(engine& e, double ms) {
  e.sprite_enginesetalphafading(player_sprite, 255, -0.7, 70, 255, ms, 4);
}

}  // namespace frostkeep
