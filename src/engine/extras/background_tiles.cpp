// The starfield, the scrolling tilers and the effect tiles: set-up, per-frame movement and drawing.
#include "engine/extras/background_tiles.h"

#include <algorithm>
#include <cmath>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/angles.h"
#include "engine/extras/effect_start.h"
#include <varnel2d/numbers.h>

namespace varnel2d {

float scroll_within_tile(float position, float start, int32_t tile) {
  if (position < start - static_cast<float>(tile)) return start;
  if (position > start) return start - static_cast<float>(tile) + 1;
  return position;
}

float turn_star(float rotation, float step) {
  const float turned = rotation + step;
  if (turned > 359) return 0.0f;
  if (turned < 0) return 359.0f;
  return turned;
}

}  // namespace varnel2d

using namespace varnel2d;

namespace {

constexpr double star_speed_unit = 0.02;
constexpr double fastest_star = 50;
constexpr double highest_alpha = 255;
constexpr double highest_rotation_limit = 719;
constexpr float natural_scale = 1.0f;
constexpr float natural_alpha = 255.0f;
constexpr float natural_rotation = 0.0f;

// The record numbered 1..64, or nullptr.
template <typename Record>
Record* numbered(std::array<Record, background_slot_count>& table, double number) {
  const int32_t n = to_int32(number);
  if (n < 1 || n > background_slot_count) return nullptr;
  return &table[static_cast<size_t>(n - 1)];
}

}  // namespace

void Varnel_2D_Engine::starfield_init(double textureindex, double srcx, double srcy, double srcwidth,
                                      double srcheight, double howmanyframes, double total, double xmin, double ymin,
                                      double xmax, double ymax) {
  starfield& field = state_->backgrounds.stars;
  field.texture = to_int32(textureindex);
  field.srcx = to_int32(srcx);
  field.srcy = to_int32(srcy);
  field.srcwidth = to_int32(srcwidth);
  field.srcheight = to_int32(srcheight);
  field.frames = to_int32(howmanyframes);
  field.xmin = to_int32(xmin);
  field.ymin = to_int32(ymin);
  field.xmax = to_int32(xmax);
  field.ymax = to_int32(ymax);
  field.stars.assign(static_cast<size_t>(std::max(to_int32(total), 1)), star{});
  field.active = true;
  for (star& s : field.stars) {
    s.x = static_cast<float>(lib_getnumber(field.xmin, field.xmax));
    s.y = static_cast<float>(lib_getnumber(field.ymin, field.ymax));
    s.frame = to_int32(lib_getnumber(0, field.frames - 1));
    s.speed = static_cast<float>(lib_getnumber(1, fastest_star) * star_speed_unit);
  }
}

void Varnel_2D_Engine::starfield_set(double Index, double alpha, double scaled, double rotationdir, double x, double Y,
                                     double frame, double speed) {
  const int32_t n = to_int32(Index);
  if (n < 1 || static_cast<size_t>(n) > state_->backgrounds.stars.stars.size()) return;
  star& s = state_->backgrounds.stars.stars[static_cast<size_t>(n - 1)];
  s.alpha = to_int32(alpha);
  s.rotation_speed = static_cast<float>(rotationdir);
  s.scale = static_cast<float>(scaled);
  if (x > -1) s.x = static_cast<float>(x);
  if (Y > -1) s.y = static_cast<float>(Y);
  if (frame > -1) s.frame = to_int32(frame);
  if (speed > -1) s.speed = static_cast<float>(speed);
}

void Varnel_2D_Engine::starfield_draw(double xdir, double ydir) {
  starfield& field = state_->backgrounds.stars;
  if (!field.active) return;
  const float t = timedelta;
  const int32_t half_width = field.srcwidth / 2;
  const int32_t half_height = field.srcheight / 2;
  const auto new_frame = [&] { return to_int32(lib_getnumber(0, field.frames - 1)); };
  for (star& s : field.stars) {
    s.x = static_cast<float>(s.x + s.speed * xdir * t);
    if (s.x > static_cast<float>(field.xmax) || s.x < static_cast<float>(field.xmin)) {
      s.x = static_cast<float>(s.x > static_cast<float>(field.xmax) ? field.xmin : field.xmax);
      s.y = static_cast<float>(lib_getnumber(field.ymin, field.ymax));
      s.frame = new_frame();
    }
    s.y = static_cast<float>(s.y + s.speed * ydir * t);
    if (s.y > static_cast<float>(field.ymax) || s.y < static_cast<float>(field.ymin)) {
      s.y = static_cast<float>(s.y > static_cast<float>(field.ymax) ? field.ymin : field.ymax);
      s.x = static_cast<float>(lib_getnumber(field.xmin, field.xmax));
      s.frame = new_frame();
    }
    s.rotation = turn_star(s.rotation, s.rotation_speed * t);
    const grid_point cell = grid_cell(field.srcx, field.srcy, s.frame, 0, field.srcwidth, field.srcheight);
    sprite_quad quad;
    quad.left = to_int32(cell.x);
    quad.top = to_int32(cell.y);
    quad.right = quad.left + field.srcwidth;
    quad.bottom = quad.top + field.srcheight;
    quad.scale_x = quad.scale_y = s.scale;
    quad.centre_x = s.scale * static_cast<float>(half_width);
    quad.centre_y = s.scale * static_cast<float>(half_height);
    quad.x = std::floor(s.x) - (s.scale - 1) * static_cast<float>(half_width);
    quad.y = std::floor(s.y) - (s.scale - 1) * static_cast<float>(half_height);
    quad.rotation = state_->core.angle_table[static_cast<size_t>(angle_index(s.rotation))];
    quad.colour = pack_argb(s.alpha, 255, 255, 255);
    private_draw(field.texture, quad);
  }
}

void Varnel_2D_Engine::tiler_config(double Index, double textureindex, double tilex, double tiley, double tilewidth,
                                    double tileheight, double destx, double desty, double destwidth,
                                    double destheight, double alpha) {
  tiler* t = numbered(state_->backgrounds.tilers, Index);
  if (t == nullptr || to_int32(tilewidth) < 1 || to_int32(tileheight) < 1) return;
  t->texture = to_int32(textureindex);
  t->tilex = static_cast<float>(tilex);
  t->tiley = static_cast<float>(tiley);
  t->tilewidth = to_int32(tilewidth);
  t->tileheight = to_int32(tileheight);
  t->x = t->destx = static_cast<float>(destx);
  t->y = t->desty = static_cast<float>(desty);
  t->destwidth = to_int32(destwidth);
  t->destheight = to_int32(destheight);
  t->dest = {to_int32(destx), to_int32(desty), to_int32(destx + destwidth), to_int32(desty + destheight)};
  t->alpha = static_cast<float>(std::clamp(alpha, 0.0, highest_alpha));
  t->active = true;
}

void Varnel_2D_Engine::tiler_draw(double Index, double xdir, double ydir) {
  tiler* t = numbered(state_->backgrounds.tilers, Index);
  if (t == nullptr || !t->active) return;
  t->x = scroll_within_tile(static_cast<float>(t->x + xdir * timedelta), t->destx, t->tilewidth);
  t->y = scroll_within_tile(static_cast<float>(t->y + ydir * timedelta), t->desty, t->tileheight);
  const int32_t left = static_cast<int32_t>(std::floor(t->x));
  const int32_t top = static_cast<int32_t>(std::floor(t->y));
  sprite_quad quad;
  quad.colour = pack_argb(t->alpha, 255, 255, 255);
  for (int32_t row = 0; row <= t->destheight / t->tileheight + 1; ++row) {
    for (int32_t column = 0; column <= t->destwidth / t->tilewidth + 1; ++column) {
      const edge_rect tile{left + column * t->tilewidth, top + row * t->tileheight,
                           left + (column + 1) * t->tilewidth, top + (row + 1) * t->tileheight};
      const edge_rect piece = intersection(tile, t->dest);
      if (piece.right <= piece.left || piece.bottom <= piece.top) continue;
      quad.left = to_int32(t->tilex) + (piece.left - tile.left);
      quad.top = to_int32(t->tiley) + (piece.top - tile.top);
      quad.right = quad.left + (piece.right - piece.left);
      quad.bottom = quad.top + (piece.bottom - piece.top);
      quad.x = static_cast<float>(piece.left);
      quad.y = static_cast<float>(piece.top);
      private_draw(t->texture, quad);
    }
  }
}

void Varnel_2D_Engine::tiler_setalpha(double Index, double alpha) {
  if (tiler* t = numbered(state_->backgrounds.tilers, Index)) t->alpha = static_cast<float>(alpha);
}

double Varnel_2D_Engine::tiler_getalpha(double Index) {
  const tiler* t = numbered(state_->backgrounds.tilers, Index);
  return t == nullptr ? 0 : t->alpha;
}

void Varnel_2D_Engine::fxtile_config(double Index, double xpos, double ypos, double textureindex, double sourcex,
                                     double sourcey, double sourcewidth, double sourceheight, double alpha,
                                     double scaled, double rotation) {
  effect_tile* tile = numbered(state_->backgrounds.tiles, Index);
  if (tile == nullptr) return;
  *tile = effect_tile{};
  tile->x = static_cast<float>(xpos);
  tile->y = static_cast<float>(ypos);
  tile->texture = to_int32(textureindex);
  tile->sourcex = to_int32(sourcex);
  tile->sourcey = to_int32(sourcey);
  tile->sourcewidth = to_int32(sourcewidth);
  tile->sourceheight = to_int32(sourceheight);
  tile->alpha = static_cast<float>(alpha);
  tile->scale = static_cast<float>(scaled);
  tile->rotation = static_cast<float>(rotation);
  tile->active = true;
}

void Varnel_2D_Engine::fxtile_setxy(double Index, double x, double Y) {
  if (effect_tile* tile = numbered(state_->backgrounds.tiles, Index)) {
    tile->x = static_cast<float>(x);
    tile->y = static_cast<float>(Y);
  }
}

void Varnel_2D_Engine::fxtile_setscaling(double Index, double startingscale, double startingdir, double min,
                                         double max, double length, double style) {
  effect_tile* tile = numbered(state_->backgrounds.tiles, Index);
  if (tile == nullptr) return;
  if (startingscale > -1) tile->scale = static_cast<float>(startingscale);
  start_channel(tile->scaling, startingdir, min, max, length, style);
}

void Varnel_2D_Engine::fxtile_setalphafading(double Index, double startingalpha, double startingdir, double min,
                                             double max, double length, double style) {
  effect_tile* tile = numbered(state_->backgrounds.tiles, Index);
  if (tile == nullptr) return;
  if (startingalpha > -1) tile->alpha = static_cast<float>(startingalpha);
  start_channel(tile->fading, startingdir, std::max(min, 0.0), std::min(max, highest_alpha), length, style);
}

void Varnel_2D_Engine::fxtile_setrotating(double Index, double startingrotate, double startingdir, double min,
                                          double max, double length, double style) {
  effect_tile* tile = numbered(state_->backgrounds.tiles, Index);
  if (tile == nullptr) return;
  if (startingrotate > -1) tile->rotation = static_cast<float>(startingrotate);
  start_channel(tile->rotating, startingdir, std::max(min, 0.0), std::min(max, highest_rotation_limit), length,
                style);
}

void Varnel_2D_Engine::fxtile_setshadow(double Index, double alpha, double xoffset, double yoffset, bool state) {
  effect_tile* tile = numbered(state_->backgrounds.tiles, Index);
  if (tile == nullptr) return;
  tile->shadowalpha = static_cast<float>(alpha);
  tile->shadowx = to_int32(xoffset);
  tile->shadowy = to_int32(yoffset);
  tile->shadow = state;
}

void Varnel_2D_Engine::fxtile_draw(double Index) {
  effect_tile* tile = numbered(state_->backgrounds.tiles, Index);
  if (tile == nullptr || !tile->active) return;
  const float t = timedelta;
  if ((tile->scaling.running && advance_effect(tile->scale, tile->scaling, natural_scale, t)) ||
      (tile->rotating.running && advance_effect(tile->rotation, tile->rotating, natural_rotation, t)) ||
      (tile->fading.running && advance_effect(tile->alpha, tile->fading, natural_alpha, t))) {
    tile->active = false;
    return;
  }
  const float s = tile->scale;
  const int32_t w = tile->sourcewidth;
  const int32_t h = tile->sourceheight;
  const float half_w = static_cast<float>(to_int32(s * static_cast<float>(w)) / 2);
  const float half_h = static_cast<float>(to_int32(s * static_cast<float>(h)) / 2);
  sprite_quad quad;
  quad.left = tile->sourcex;
  quad.top = tile->sourcey;
  quad.right = tile->sourcex + w;
  quad.bottom = tile->sourcey + h;
  quad.scale_x = quad.scale_y = s;
  quad.centre_x = s * static_cast<float>(w / 2);
  quad.centre_y = s * static_cast<float>(h / 2);
  quad.rotation = state_->core.angle_table[static_cast<size_t>(angle_index(tile->rotation))];
  if (tile->shadow) {
    quad.x = std::floor(tile->x - half_w + static_cast<float>(tile->shadowx));
    quad.y = std::floor(tile->y - half_h + static_cast<float>(tile->shadowy));
    quad.colour = pack_argb(std::floor(tile->shadowalpha), 0, 0, 0);
    private_draw(tile->texture, quad);
  }
  quad.x = std::floor(tile->x - half_w);
  quad.y = std::floor(tile->y - half_h);
  quad.colour = pack_argb(std::floor(tile->alpha), 255, 255, 255);
  private_draw(tile->texture, quad);
}
