// Spirits: their sprites, behaviours and animations.
#include "enemies.h"

#include "assets.h"
#include "player.h"

namespace frostkeep {
namespace {

namespace L = layout;

// A wisp wakes when the player comes this near, in map pixels.
constexpr double wake_distance = 170;

void hover(engine& e, const enemy& w) {
  e.sprite_on(w.sprite, w.home.x, w.home.y, sprites_texture, 0, 0, 0, L::row_spirits, L::cell, L::cell);
  e.sprite_animateloop(w.sprite, L::wisp_flicker, 120);
  e.sprite_setcollidebox(w.sprite, 8, 8, 16, 18);
  e.sprite_engineorbitstill(w.sprite, 5, 0.003);
  e.sprite_enginesetalphafading(w.sprite, 230, 0.08, 150, 240, 0, 3);
}

void roll(engine& e, const enemy& s, double pace) {
  const spawn& at = s.home;
  e.sprite_on(s.sprite, at.x, at.y, sprites_texture, 0, 0, L::snowball_column, L::row_things, L::cell, L::cell);
  e.sprite_setcollidebox(s.sprite, 7, 7, 18, 18);
  e.sprite_setshadow(s.sprite, 70, 3, 5, true);
  e.sprite_enginesetrotating(s.sprite, 0, 0.35 * pace, 0, 359, 0, 0);
  const bool across = at.kind == L::snowball_across;
  const auto [low, high] = free_span(e, at.x, at.y, across);
  if (across)
    e.sprite_enginepong(s.sprite, 0.09 * pace, 0, low, at.y, high, at.y);
  else
    e.sprite_enginepong(s.sprite, 0, 0.09 * pace, at.x, low, at.x, high);
}

void fly(engine& e, const enemy& b, double pace) {
  const spawn& at = b.home;
  e.sprite_on(b.sprite, at.x, at.y, sprites_texture, 0, 0, 4, L::row_spirits, L::cell, L::cell);
  e.sprite_animateloop(b.sprite, L::bat_flap, 90);
  e.sprite_setcollidebox(b.sprite, 5, 9, 22, 12);
  e.sprite_setshadow(b.sprite, 45, 3, 14, true);
  const auto [low, high] = free_span(e, at.x, at.y, true);
  e.sprite_enginebossmove1(b.sprite, 0.07 * pace, 0, 14, 0.004 * pace, low, at.y - 40, high, at.y + 40, at.y);
}

}  // namespace

std::vector<enemy> spawn_enemies(engine& e, const level& keep, double pace) {
  for (int s = first_enemy_sprite; s <= last_enemy_sprite; ++s) e.sprite_off(s);
  std::vector<enemy> enemies;
  int sprite = first_enemy_sprite;
  for (const spawn& at : keep.spawns) {
    if (sprite > last_enemy_sprite) break;
    enemy one{sprite++, at};
    if (at.kind == L::wisp) hover(e, one);
    if (at.kind == L::snowball_across || at.kind == L::snowball_down) roll(e, one, pace);
    if (at.kind == L::bat) fly(e, one, pace);
    enemies.push_back(one);
  }
  return enemies;
}

void wake_wisps(engine& e, std::vector<enemy>& enemies, double pace) {
  const double px = e.sprite_getx(player_sprite), py = e.sprite_gety(player_sprite);
  for (enemy& w : enemies) {
    if (w.home.kind != L::wisp || w.awake) continue;
    const double x = e.sprite_getx(w.sprite), y = e.sprite_gety(w.sprite);
    const double distance = e.lib_getdistance(px, py, x, y);
    if (distance > wake_distance) continue;
    w.awake = true;
    e.sprite_enginetracki(w.sprite, player_sprite, 0.0002 * pace, 0.055 * pace, 0.0002 * pace, 0.055 * pace);
    play_at(e, whoosh_sound, x - e.mapx, -1500 * distance / wake_distance);
  }
}

void send_wisps_home(engine& e, std::vector<enemy>& enemies) {
  for (enemy& w : enemies)
    if (w.home.kind == L::wisp) {
      w.awake = false;
      hover(e, w);
    }
}

int spirit_touching_player(engine& e) {
  return static_cast<int>(e.sprite_collideboxorigin(player_sprite, first_enemy_sprite, last_enemy_sprite));
}

}  // namespace frostkeep
