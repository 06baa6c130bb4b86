// Reading the keep and changing its cells.
#include "level.h"

#include <cmath>

#include "assets.h"

namespace frostkeep {
namespace {

namespace L = layout;

int column_of(double x) { return static_cast<int>(std::floor(x / L::cell)); }

// The effect tiles over the open exit.
constexpr int exit_glow = 1, exit_star = 2;

// Torches flicker through their four frames; crystals glint, each at its own pace so that they
// do not all flash together.
void start_tile_animations(engine& e, level& keep) {
  keep.crystals_total = 0;
  for (int row = 0; row < e.map_getheight(); ++row)
    for (int column = 0; column < e.map_getwidth(); ++column) {
      const int t = static_cast<int>(e.map_get(column, row));
      if (t == L::torch_first) e.map_setanimating(column, row, 0.008, L::torch_first, static_cast<double>(L::torch_last) + 0.999, 0, 0);
      if (t == L::crystal_first) {
        const double pace = 0.0022 + 0.0004 * ((column * 7 + row * 13) % 5);
        e.map_setanimating(column, row, pace, L::crystal_first, static_cast<double>(L::crystal_last) + 0.999, 0, 0);
        ++keep.crystals_total;
      }
      if (t == L::exit_closed) {
        keep.exit_column = column;
        keep.exit_row = row;
      }
    }
  keep.crystals_left = keep.crystals_total;
  keep.exit_open = false;
}

}  // namespace

bool load_level(engine& e, level& keep, std::string& error) {
  if (!e.map_initmapfile(map_name, false, true, false, false, 0xFFFF00FF)) {
    error = "cannot read the map " + e.path + map_name;
    return false;
  }
  keep = level{};
  for (int row = 0; row < e.map_getheight(); ++row)
    for (int column = 0; column < e.map_getwidth(); ++column) {
      const auto kind = static_cast<L::thing>(e.map_getbuffer(2, column, row));
      const double x = column * L::cell + L::cell / 2.0, y = row * L::cell + L::cell / 2.0;
      if (kind == L::player_start) {
        keep.start_x = x;
        keep.start_y = y;
      } else if (kind != L::nothing) {
        keep.spawns.push_back({kind, x, y});
      }
    }
  start_tile_animations(e, keep);
  if (keep.crystals_total == 0 || keep.exit_column < 0 || keep.start_x == 0) {
    error = "the map " + e.path + map_name + " has no crystals, exit or start";
    return false;
  }
  return true;
}

void reset_level(engine& e, level& keep) {
  e.map_buffertomap(1);
  start_tile_animations(e, keep);
}

bool solid_at(engine& e, double x, double y) {
  if (x < 0 || y < 0 || x >= e.map_getpixelwidth() || y >= e.map_getpixelheight()) return true;
  return L::is_solid(static_cast<int>(e.map_getatxy(x, y)));
}

bool take_crystal(engine& e, level& keep, double x, double y) {
  if (!L::is_crystal(static_cast<int>(e.map_getatxy(x, y)))) return false;
  e.map_putatxy(x, y, L::floor_a, 255, 0);
  --keep.crystals_left;
  return true;
}

void open_exit(engine& e, level& keep) {
  keep.exit_open = true;
  e.map_put(keep.exit_column, keep.exit_row, L::exit_open, 255, 0);
  e.map_setalphafading(keep.exit_column, keep.exit_row, 255, -0.25, 120, 255, 0, 3);
  // Over the circle: a pulsing glow and a slowly turning star, effect tiles placed each frame.
  e.fxtile_config(exit_glow, 0, 0, sprites_texture, L::glow_column * L::pitch, L::row_things * L::pitch, L::cell,
                  L::cell, 200, 1.6, 0);
  e.fxtile_setscaling(exit_glow, 1.6, 0.0012, 1.6, 2.6, 0, 3);
  e.fxtile_setalphafading(exit_glow, 200, -0.12, 90, 220, 0, 3);
  e.fxtile_config(exit_star, 0, 0, sprites_texture, (L::sparkle_column + 2) * L::pitch, L::row_things * L::pitch,
                  L::cell, L::cell, 230, 1.2, 0);
  e.fxtile_setrotating(exit_star, 0, 0.06, 0, 359, 0, 0);
}

void draw_exit(engine& e, const level& keep) {
  if (!keep.exit_open) return;
  const double x = keep.exit_column * L::cell + L::cell / 2.0 - e.mapx;
  const double y = keep.exit_row * L::cell + L::cell / 2.0 - e.mapy;
  for (int tile : {exit_glow, exit_star}) {
    e.fxtile_setxy(tile, x, y);
    e.fxtile_draw(tile);
  }
}

bool on_open_exit(engine& e, const level& keep, double x, double y) {
  (void)e;
  return keep.exit_open && column_of(x) == keep.exit_column && column_of(y) == keep.exit_row;
}

std::pair<double, double> free_span(engine& e, double x, double y, bool across) {
  const double dx = across ? L::cell : 0, dy = across ? 0 : L::cell;
  double low_x = x, low_y = y, high_x = x, high_y = y;
  while (!solid_at(e, low_x - dx, low_y - dy)) low_x -= dx, low_y -= dy;
  while (!solid_at(e, high_x + dx, high_y + dy)) high_x += dx, high_y += dy;
  return across ? std::pair{low_x, high_x} : std::pair{low_y, high_y};
}

}  // namespace frostkeep
