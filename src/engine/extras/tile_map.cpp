// The tile map: geometry and tile sources, cells and their effects, buffers, the camera and drawing
// the visible window of cells.
#include "engine/extras/tile_map.h"

#include <algorithm>
#include <cmath>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/angles.h"
#include "engine/draw_math.h"
#include "engine/extras/effect_start.h"
#include <varnel2d/numbers.h>

namespace varnel2d {

bool geometry_fits(const map_geometry& g) {
  if (g.tile_width < 1 || g.tile_height < 1 || g.mapwidth < 1 || g.mapheight < 1 || g.sourcetilesacross < 1 ||
      g.sourcetilesdown < 1 || g.howmanymaptextures < 0)
    return false;
  const int64_t cells = int64_t{g.mapwidth} * g.mapheight;
  return cells * std::max(g.howmanyindexes, 1) <= most_map_entries;
}

bool tiles_fit_texture(const map_geometry& g, int32_t largest_width, int32_t largest_height) {
  // n tiles of size s with gaps between them span n * (s + 1) - 1 pixels.
  const auto fits = [](int64_t tiles, int64_t size, int64_t largest) {
    return tiles >= 1 && size >= 1 && size <= largest && tiles <= (largest + 1) / (size + 1);
  };
  return fits(g.sourcetilesacross, g.tile_width, largest_width) &&
         fits(g.sourcetilesdown, g.tile_height, largest_height);
}

map_cell* tile_map::cell(int64_t x, int64_t y) {
  if (!active || x < 0 || y < 0 || x >= geometry.mapwidth || y >= geometry.mapheight) return nullptr;
  return &cells[static_cast<size_t>(y * geometry.mapwidth + x)];
}

cell_effects& tile_map::effects_of(map_cell& c) {
  if (c.effects < 0) {
    c.effects = static_cast<int32_t>(effects.size());
    effects.emplace_back();
  }
  return effects[static_cast<size_t>(c.effects)];
}

int16_t* tile_map::buffer_entry(int64_t index, int64_t x, int64_t y) {
  if (!active || index < 1 || index > geometry.howmanyindexes || x < 0 || y < 0 || x >= geometry.mapwidth ||
      y >= geometry.mapheight)
    return nullptr;
  const int64_t cell_count = int64_t{geometry.mapwidth} * geometry.mapheight;
  return &buffers[static_cast<size_t>((index - 1) * cell_count + y * geometry.mapwidth + x)];
}

std::optional<tile_source> tile_source_of(const map_geometry& g, int64_t k) {
  const int64_t per_texture = int64_t{g.sourcetilesacross} * g.sourcetilesdown;
  if (k < 1 || per_texture < 1 || k > per_texture * g.howmanymaptextures) return std::nullopt;
  const int64_t on_texture = (k - 1) % per_texture;
  const grid_point corner =
      grid_cell(0, 0, static_cast<double>(on_texture % g.sourcetilesacross),
                static_cast<double>(on_texture / g.sourcetilesacross), g.tile_width, g.tile_height);
  return tile_source{static_cast<int32_t>(corner.x), static_cast<int32_t>(corner.y),
                     static_cast<int32_t>((k - 1) / per_texture + 1)};
}

map_edge_hits clamp_camera(float& x, float& y, const tile_map& map) {
  map_edge_hits hits;
  if (y < 0) {
    y = 0;
    hits.top = 1;
  }
  if (x < 0) {
    x = 0;
    hits.left = 1;
  }
  const int64_t view_width = int64_t{map.across} * map.geometry.tile_width;
  const int64_t view_height = int64_t{map.down} * map.geometry.tile_height;
  if (std::floor(x) + static_cast<double>(view_width) > static_cast<double>(map.pixel_width())) {
    x = static_cast<float>(map.pixel_width() - view_width);
    hits.right = 1;
  }
  if (std::floor(y) + static_cast<double>(view_height) > static_cast<double>(map.pixel_height())) {
    y = static_cast<float>(map.pixel_height() - view_height);
    hits.bottom = 1;
  }
  return hits;
}

}  // namespace varnel2d

using namespace varnel2d;

namespace {

constexpr float natural_scale = 1.0f;
constexpr float natural_alpha = 255.0f;
constexpr float natural_rotation = 0.0f;
constexpr double highest_rotation_limit = 719;
constexpr double highest_alpha = 255;

// Back to natural alpha, rotation and scale, every effect off.
void reset_cell(map_cell& cell, std::vector<cell_effects>& effects) {
  cell.scale = natural_scale;
  cell.alpha = natural_alpha;
  cell.rotation = natural_rotation;
  if (cell.effects >= 0) effects[static_cast<size_t>(cell.effects)] = cell_effects{};
}

}  // namespace

bool Varnel_2D_Engine::private_map_geometry_fits(const map_geometry& g) {
  const image_size largest = state_->backends.display->max_texture_size();
  return geometry_fits(g) && tiles_fit_texture(g, largest.width, largest.height);
}

void Varnel_2D_Engine::map_init(double tile_width, double tile_height, double mapwidth, double mapheight,
                                double maptextureswidth, double maptexturesheight, double sourcetilesacross,
                                double sourcetilesdown, double howmanymaptextures, double howmanyindexes) {
  map_geometry g;
  g.tile_width = to_int32(tile_width);
  g.tile_height = to_int32(tile_height);
  g.mapwidth = to_int32(mapwidth);
  g.mapheight = to_int32(mapheight);
  g.maptextureswidth = to_int32(maptextureswidth);
  g.maptexturesheight = to_int32(maptexturesheight);
  g.sourcetilesacross = to_int32(sourcetilesacross);
  g.sourcetilesdown = to_int32(sourcetilesdown);
  g.howmanymaptextures = to_int32(howmanymaptextures);
  g.howmanyindexes = std::max<int32_t>(to_int16(howmanyindexes), 1);
  if (!private_map_geometry_fits(g)) return;
  state_->map.geometry = g;
  state_->map.across = to_int32(static_cast<double>(state_->core.width) / g.tile_width);
  state_->map.down = to_int32(static_cast<double>(state_->core.height) / g.tile_height);
  const size_t cell_count = static_cast<size_t>(int64_t{g.mapwidth} * g.mapheight);
  state_->map.cells.assign(cell_count, map_cell{});
  state_->map.effects.clear();
  state_->map.buffers.assign(cell_count * static_cast<size_t>(g.howmanyindexes), 0);
  mapx = 0.0f;
  mapy = 0.0f;
  state_->map.active = true;
}

void Varnel_2D_Engine::map_buffertomap(double Index) {
  if (state_->map.buffer_entry(to_int32(Index), 0, 0) == nullptr) return;
  const int16_t* entry = state_->map.buffer_entry(to_int32(Index), 0, 0);
  state_->map.effects.clear();
  for (map_cell& cell : state_->map.cells) cell = map_cell{*entry++};
}

void Varnel_2D_Engine::map_maptobuffer(double Index) {
  int16_t* entry = state_->map.buffer_entry(to_int32(Index), 0, 0);
  if (entry == nullptr) return;
  for (const map_cell& cell : state_->map.cells) *entry++ = to_int16(cell.value);
}

void Varnel_2D_Engine::map_putbuffer(double Index, double x, double Y, double value) {
  if (int16_t* entry = state_->map.buffer_entry(to_int32(Index), to_int32(x), to_int32(Y))) *entry = to_int16(value);
}

double Varnel_2D_Engine::map_getbuffer(double Index, double x, double Y) {
  const int16_t* entry = state_->map.buffer_entry(to_int32(Index), to_int32(x), to_int32(Y));
  return entry == nullptr ? 0 : *entry;
}

void Varnel_2D_Engine::map_put(double x, double Y, double value, double alpha, double rotation) {
  map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  if (cell == nullptr) return;
  reset_cell(*cell, state_->map.effects);
  cell->value = to_int32(value);
  cell->alpha = static_cast<float>(alpha);
  cell->rotation = static_cast<float>(rotation);
}

double Varnel_2D_Engine::map_get(double x, double Y) {
  const map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  return cell == nullptr ? 0 : cell->value;
}

map_cell* Varnel_2D_Engine::private_map_cell_at(double x, double Y) {
  if (!state_->map.active) return nullptr;
  const double px = std::floor(x);
  const double py = std::floor(Y);
  if (px < 0 || py < 0 || px > static_cast<double>(state_->map.pixel_width() - 1) ||
      py > static_cast<double>(state_->map.pixel_height() - 1))
    return nullptr;
  return state_->map.cell(static_cast<int64_t>(px) / state_->map.geometry.tile_width,
                   static_cast<int64_t>(py) / state_->map.geometry.tile_height);
}

void Varnel_2D_Engine::map_putatxy(double x, double Y, double value, double alpha, double rotation) {
  if (map_cell* cell = private_map_cell_at(x, Y)) {
    reset_cell(*cell, state_->map.effects);
    cell->value = to_int32(value);
    cell->alpha = static_cast<float>(alpha);
    cell->rotation = static_cast<float>(rotation);
  }
}

double Varnel_2D_Engine::map_getatxy(double x, double Y) {
  const map_cell* cell = private_map_cell_at(x, Y);
  return cell == nullptr ? 0 : cell->value;
}

void Varnel_2D_Engine::map_putatscreenxy(double x, double Y, double value, double alpha, double rotation) {
  map_putatxy(std::floor(mapx) + x, std::floor(mapy) + Y, value, alpha, rotation);
}

double Varnel_2D_Engine::map_getatscreenxy(double x, double Y) {
  return map_getatxy(std::floor(mapx) + x, std::floor(mapy) + Y);
}

void Varnel_2D_Engine::map_putatmouse(double value, double alpha, double rotation) {
  map_putatscreenxy(mousex, mousey, value, alpha, rotation);
}

double Varnel_2D_Engine::map_getatmouse() { return map_getatscreenxy(mousex, mousey); }

const sprite_record* Varnel_2D_Engine::private_map_sprite(double sprite) const {
  const int32_t number = to_int32(sprite);
  if (number < 1 || number > state_->sprites.spritetotal) return nullptr;
  return &state_->sprites.sprites[static_cast<size_t>(number)];
}

void Varnel_2D_Engine::map_putatsprite(double sprite, double value, double xoffset, double yoffset) {
  if (const sprite_record* s = private_map_sprite(sprite))
    map_putatxy(s->x + xoffset, s->y + yoffset, value, natural_alpha, natural_rotation);
}

double Varnel_2D_Engine::map_getatsprite(double sprite, double xoffset, double yoffset) {
  const sprite_record* s = private_map_sprite(sprite);
  return s == nullptr ? 0 : map_getatxy(s->x + xoffset, s->y + yoffset);
}

void Varnel_2D_Engine::map_getspritetoxy(double sprite, double xoffset, double yoffset) {
  retx = -1.0f;
  rety = -1.0f;
  const sprite_record* s = private_map_sprite(sprite);
  if (s == nullptr || private_map_cell_at(s->x + xoffset, s->y + yoffset) == nullptr) return;
  retx = static_cast<float>(std::floor(std::floor(s->x + xoffset) / state_->map.geometry.tile_width));
  rety = static_cast<float>(std::floor(std::floor(s->y + yoffset) / state_->map.geometry.tile_height));
}

void Varnel_2D_Engine::map_getspritetoxypixel(double sprite, double xoffset, double yoffset) {
  map_getspritetoxy(sprite, xoffset, yoffset);
  if (retx < 0) return;
  retx *= static_cast<float>(state_->map.geometry.tile_width);
  rety *= static_cast<float>(state_->map.geometry.tile_height);
}

void Varnel_2D_Engine::map_getmousetoxy() {
  if (!state_->map.active) return;
  retx = static_cast<float>(std::floor((mousex + std::floor(mapx)) / static_cast<double>(state_->map.geometry.tile_width)));
  rety = static_cast<float>(std::floor((mousey + std::floor(mapy)) / static_cast<double>(state_->map.geometry.tile_height)));
}

void Varnel_2D_Engine::map_getmousetoxypixel() {
  if (!state_->map.active) return;
  map_getmousetoxy();
  retx *= static_cast<float>(state_->map.geometry.tile_width);
  rety *= static_cast<float>(state_->map.geometry.tile_height);
}

double Varnel_2D_Engine::map_getalpha(double x, double Y) {
  const map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  return cell == nullptr ? 0 : cell->alpha;
}

double Varnel_2D_Engine::map_getrotation(double x, double Y) {
  const map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  return cell == nullptr ? 0 : cell->rotation;
}

double Varnel_2D_Engine::map_getscale(double x, double Y) {
  const map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  return cell == nullptr ? 0 : cell->scale;
}

bool Varnel_2D_Engine::map_getalphafading(double x, double Y) {
  const map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  return cell != nullptr && cell->effects >= 0 && state_->map.effects[static_cast<size_t>(cell->effects)].fading.running;
}

bool Varnel_2D_Engine::map_getrotating(double x, double Y) {
  const map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  return cell != nullptr && cell->effects >= 0 && state_->map.effects[static_cast<size_t>(cell->effects)].rotating.running;
}

bool Varnel_2D_Engine::map_getscaling(double x, double Y) {
  const map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  return cell != nullptr && cell->effects >= 0 && state_->map.effects[static_cast<size_t>(cell->effects)].scaling.running;
}

void Varnel_2D_Engine::map_setalphafading(double x, double Y, double startingalpha, double startingdir, double min,
                                          double max, double length, double style) {
  map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  if (cell == nullptr) return;
  start_channel(state_->map.effects_of(*cell).fading, startingdir, std::max(min, 0.0), std::min(max, highest_alpha), length,
                style);
  cell->alpha = static_cast<float>(startingalpha);
}

void Varnel_2D_Engine::map_setrotating(double x, double Y, double startingrotate, double startingdir, double min,
                                       double max, double length, double style) {
  map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  if (cell == nullptr) return;
  start_channel(state_->map.effects_of(*cell).rotating, startingdir, std::max(min, 0.0),
                std::min(max, highest_rotation_limit), length, style);
  if (startingrotate > -1) cell->rotation = static_cast<float>(startingrotate);
}

void Varnel_2D_Engine::map_setscaling(double x, double Y, double startingscale, double startingdir, double min,
                                      double max, double length, double style) {
  map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  if (cell == nullptr) return;
  start_channel(state_->map.effects_of(*cell).scaling, startingdir, std::max(min, 0.0), std::min(max, 1.0), length, style);
  cell->scale = static_cast<float>(startingscale);
}

void Varnel_2D_Engine::map_setanimating(double x, double Y, double startingdir, double startvalue, double endvalue,
                                        double length, double style) {
  map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  if (cell == nullptr) return;
  cell_effects& effects = state_->map.effects_of(*cell);
  effects.animation = static_cast<float>(startvalue);
  effects.animation_start = static_cast<float>(startvalue);
  start_channel(effects.animating, startingdir, startvalue, endvalue, length, style);
}

void Varnel_2D_Engine::map_setrotatetosprite(double x, double Y, double sprite) {
  map_cell* cell = state_->map.cell(to_int32(x), to_int32(Y));
  if (cell == nullptr) return;
  cell_effects& effects = state_->map.effects_of(*cell);
  effects.rotating.running = true;
  effects.rotating.style = effect_styles::face_target;
  effects.rotate_target = to_int32(sprite);
}

void Varnel_2D_Engine::map_setalphaonall(double alpha) {
  for (map_cell& cell : state_->map.cells) cell.alpha = static_cast<float>(alpha);
}

void Varnel_2D_Engine::map_setrotateonall(double rotate) {
  for (map_cell& cell : state_->map.cells) cell.rotation = static_cast<float>(rotate);
}

void Varnel_2D_Engine::map_setscaleonall(double scaled) {
  for (map_cell& cell : state_->map.cells) cell.scale = static_cast<float>(scaled);
}

void Varnel_2D_Engine::map_resetfxall() {
  state_->map.effects.clear();
  for (map_cell& cell : state_->map.cells) cell = map_cell{cell.value};
}

map_edge_hits Varnel_2D_Engine::map_setxy(double xpos, double ypos) {
  float x = static_cast<float>(xpos);
  float y = static_cast<float>(ypos);
  const map_edge_hits hits = state_->map.active ? clamp_camera(x, y, state_->map) : map_edge_hits{};
  mapx = x;
  mapy = y;
  return hits;
}

map_edge_hits Varnel_2D_Engine::map_moveby(double xvalue, double yvalue) {
  return map_setxy(mapx + xvalue, mapy + yvalue);
}

void Varnel_2D_Engine::map_setcameraonsprite(double sprite) { state_->map.camera_sprite = to_int32(sprite); }

bool Varnel_2D_Engine::private_map_cell_effects(map_cell& cell, int32_t column, int32_t row) {
  if (cell.effects < 0) return true;
  cell_effects& e = state_->map.effects[static_cast<size_t>(cell.effects)];
  if (!e.any_running()) return true;
  const float t = timedelta;
  // An effect that switches its cell off empties it for good: every effect and the animation stop.
  const auto emptied = [&cell, &e] {
    cell.value = 0;
    e = cell_effects{};
    return false;
  };
  if (e.scaling.running && advance_effect(cell.scale, e.scaling, natural_scale, t)) return emptied();
  if (e.fading.running && advance_effect(cell.alpha, e.fading, natural_alpha, t)) return emptied();
  if (e.rotating.running) {
    if (e.rotating.style == effect_styles::face_target) {
      if (const sprite_record* target = private_map_sprite(e.rotate_target)) {
        const grid_point to = sprite_centre(*target);
        const int32_t tw = state_->map.geometry.tile_width, th = state_->map.geometry.tile_height;
        cell.rotation = static_cast<float>(lib_getangle(static_cast<float>(static_cast<double>(column) * tw + tw / 2),
                                                        static_cast<float>(static_cast<double>(row) * th + th / 2),
                                                        static_cast<float>(to.x), static_cast<float>(to.y)));
      }
    } else if (advance_effect(cell.rotation, e.rotating, natural_rotation, t)) {
      return emptied();
    }
  }
  if (e.animating.running) {
    if (advance_effect(e.animation, e.animating, e.animation_start, t)) return emptied();
    cell.value = static_cast<int32_t>(std::floor(e.animation));
  }
  return true;
}

template <typename DrawCell>
void Varnel_2D_Engine::private_map_visit(DrawCell draw_cell) {
  if (!state_->map.active) return;
  if (state_->map.camera_sprite >= 1) {
    if (const sprite_record* followed = private_map_sprite(state_->map.camera_sprite)) {
      const grid_point centre = sprite_centre(*followed);
      const int64_t half_width = int64_t{state_->map.across} * state_->map.geometry.tile_width / 2;
      const int64_t half_height = int64_t{state_->map.down} * state_->map.geometry.tile_height / 2;
      map_setxy(centre.x - static_cast<double>(half_width), centre.y - static_cast<double>(half_height));
    }
  }
  const int32_t tw = state_->map.geometry.tile_width;
  const int32_t th = state_->map.geometry.tile_height;
  const int64_t camera_x = static_cast<int64_t>(std::floor(mapx));
  const int64_t camera_y = static_cast<int64_t>(std::floor(mapy));
  const int64_t first_column = camera_x / tw;
  const int64_t first_row = camera_y / th;
  const int64_t offset_x = -(camera_x % tw);
  const int64_t offset_y = -(camera_y % th);
  for (int32_t row = 0; row <= state_->map.down; ++row) {
    for (int32_t column = 0; column <= state_->map.across; ++column) {
      map_cell* cell = state_->map.cell(first_column + column, first_row + row);
      if (cell == nullptr) continue;
      draw_cell(*cell, static_cast<int32_t>(first_column + column), static_cast<int32_t>(first_row + row),
                static_cast<float>(offset_x + int64_t{column} * tw), static_cast<float>(offset_y + int64_t{row} * th));
    }
  }
}

void Varnel_2D_Engine::map_drawfast() {
  const int32_t tw = state_->map.geometry.tile_width;
  const int32_t th = state_->map.geometry.tile_height;
  private_map_visit([&](const map_cell& cell, int32_t, int32_t, float x, float y) {
    const std::optional<tile_source> source = tile_source_of(state_->map.geometry, cell.value);
    if (!source) return;
    sprite_quad quad;
    quad.left = source->x;
    quad.top = source->y;
    quad.right = source->x + tw;
    quad.bottom = source->y + th;
    quad.x = x;
    quad.y = y;
    private_draw(source->texture, quad);
  });
}

void Varnel_2D_Engine::map_draw() {
  const int32_t tw = state_->map.geometry.tile_width;
  const int32_t th = state_->map.geometry.tile_height;
  const float half_width = static_cast<float>(tw / 2);
  const float half_height = static_cast<float>(th / 2);
  private_map_visit([&](map_cell& cell, int32_t column, int32_t row, float x, float y) {
    if (!private_map_cell_effects(cell, column, row)) return;
    const std::optional<tile_source> source = tile_source_of(state_->map.geometry, cell.value);
    if (!source) return;
    const float s = cell.scale;
    sprite_quad quad;
    quad.left = source->x;
    quad.top = source->y;
    quad.right = source->x + tw;
    quad.bottom = source->y + th;
    quad.scale_x = quad.scale_y = s;
    quad.centre_x = s * half_width;
    quad.centre_y = s * half_height;
    quad.x = std::floor(x + half_width - s * half_width);
    quad.y = std::floor(y + half_height - s * half_height);
    quad.rotation = state_->core.angle_table[static_cast<size_t>(angle_index(cell.rotation))];
    quad.colour = pack_argb(std::floor(cell.alpha), 255, 255, 255);
    private_draw(source->texture, quad);
  });
}

double Varnel_2D_Engine::map_getwidth() { return state_->map.geometry.mapwidth; }
double Varnel_2D_Engine::map_getheight() { return state_->map.geometry.mapheight; }
double Varnel_2D_Engine::map_getpixelwidth() { return static_cast<double>(state_->map.pixel_width()); }
double Varnel_2D_Engine::map_getpixelheight() { return static_cast<double>(state_->map.pixel_height()); }
double Varnel_2D_Engine::map_gethowmanyindexes() { return state_->map.geometry.howmanyindexes; }
double Varnel_2D_Engine::map_gethowmanytextures() { return state_->map.geometry.howmanymaptextures; }
double Varnel_2D_Engine::map_getsourcetexturewidth() { return state_->map.geometry.maptextureswidth; }
double Varnel_2D_Engine::map_getsourcetextureheight() { return state_->map.geometry.maptexturesheight; }
double Varnel_2D_Engine::map_getsourcetilewidth() { return state_->map.geometry.tile_width; }
double Varnel_2D_Engine::map_getsourcetileheight() { return state_->map.geometry.tile_height; }
double Varnel_2D_Engine::map_getsourcetilesacross() { return state_->map.geometry.sourcetilesacross; }
double Varnel_2D_Engine::map_getsourcetilesdown() { return state_->map.geometry.sourcetilesdown; }
