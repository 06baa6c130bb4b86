// The sprite table: sizing, switching sprites on and off, free and live searches, the z-order
// list and its incremental sort, waiting on a delay, and the behaviour state every behaviour shares.
#include "engine/sprites/sprite_table.h"

#include <stdexcept>
#include <string>
#include <utility>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace varnel2d {

sprite_record& sprite_table::at(double number) {
  return const_cast<sprite_record&>(std::as_const(*this).at(number));
}

const sprite_record& sprite_table::at(double number) const {
  const int32_t index = to_int32(number);
  if (index < 1 || index > spritetotal)
    throw std::out_of_range("sprite " + std::to_string(index) + " is outside the sprite table 1.." +
                            std::to_string(spritetotal));
  return sprites[static_cast<size_t>(index)];
}

}  // namespace varnel2d

namespace {

constexpr float default_colour = 255.0f;
constexpr float default_shadow_alpha = 40.0f;
constexpr int32_t default_shadow_offset = 2;

// The range start..end of sprite numbers, checked against the table.
struct sprite_range {
  int32_t first = 0, last = 0;
};

sprite_range checked_range(const sprite_table& table, double startsprite, double endsprite) {
  const sprite_range range{to_int32(startsprite), to_int32(endsprite)};
  if (range.first <= range.last) {
    table.at(range.first);
    table.at(range.last);
  }
  return range;
}

// Sort keys: 1 y, 2 x, 3 id1, 4 scale.
double sort_key(const sprite_record& sprite, int32_t method) {
  switch (method) {
    case 1: return sprite.y;
    case 2: return sprite.x;
    case 3: return sprite.id1;
    default: return sprite.scale;
  }
}

}  // namespace

void Varnel_2D_Engine::sprite_init(double spritetotal) {
  const int32_t total = to_int32(spritetotal);
  if (total < 0) throw std::invalid_argument("sprite_init needs a sprite count of 0 or more, not " + std::to_string(total));
  state_->sprites.sprites.assign(static_cast<size_t>(total) + 1, sprite_record{});
  state_->sprites.zorder.assign(static_cast<size_t>(total) + 1, 0);
  state_->sprites.spritetotal = total;
  state_->animations.reset_animations();
  sprite_resetzorder();
}

void Varnel_2D_Engine::sprite_resetzorder() {
  const int32_t total = state_->sprites.spritetotal;
  for (int32_t position = 1; position <= total; ++position) {
    const int32_t sprite = total + 1 - position;
    state_->sprites.zorder[static_cast<size_t>(position)] = sprite;
    state_->sprites.sprites[static_cast<size_t>(sprite)].zorder = position;
  }
}

void Varnel_2D_Engine::sprite_on(double spriteindex, double xpos, double ypos, double textureindex, double srcx,
                                 double srcy, double xframe, double yframe, double framewidth, double frameheight,
                                 bool origintopleft) {
  sprite_record& s = state_->sprites.at(spriteindex);
  s.state = 1;
  s.endaction = 0;
  s.x = static_cast<float>(xpos);
  s.y = static_cast<float>(ypos);
  s.origintopleft = origintopleft;
  s.r = s.g = s.b = default_colour;
  s.shadow = false;
  s.shadowalpha = default_shadow_alpha;
  s.shadowx = s.shadowy = default_shadow_offset;
  s.scale = 1.0f;
  s.scaling.running = false;
  s.alpha = default_colour;
  s.fading.running = false;
  s.rotate = 0.0f;
  s.rotating.running = false;
  s.rotatetarget = 0;
  s.enginetype = 0;
  s.pendingtype = 0;
  s.delay = 0;
  s.textureindex = to_int32(textureindex);
  s.srcx = to_int32(srcx);
  s.srcy = to_int32(srcy);
  s.xframe = static_cast<float>(xframe);
  s.yframe = static_cast<float>(yframe);
  s.framewidth = to_int32(framewidth);
  s.frameheight = to_int32(frameheight);
  s.animmode = 0;
  s.orbitturnoff = false;
  s.collidestatus = true;
  s.collidex = s.collidey = 0;
  s.collidewidth = s.framewidth;
  s.collideheight = s.frameheight;
  s.collideradius = to_int32(s.framewidth / 2.0);
  s.buttonstate = 0;
  s.buttonclicked = false;
  s.id1 = s.id2 = 0;
  s.hits = 0;
}

void Varnel_2D_Engine::sprite_off(double sprite) { switch_off(state_->sprites.at(sprite)); }

void Varnel_2D_Engine::sprite_offall() {
  for (int32_t n = 1; n <= state_->sprites.spritetotal; ++n) switch_off(state_->sprites.sprites[static_cast<size_t>(n)]);
}

void Varnel_2D_Engine::sprite_setstatus(double sprite, bool active) {
  sprite_record& s = state_->sprites.at(sprite);
  if (active)
    s.state = 1;
  else
    switch_off(s);
}

std::optional<double> Varnel_2D_Engine::sprite_getstatus(double sprite) {
  const sprite_record& s = state_->sprites.at(sprite);
  if (s.state == 0 && s.delay == 0) return 0;
  if (s.state == 0 && s.delay > 0) return 3;
  if (s.state == 1 && s.delay == 0) return 1;
  if (s.state == 2) return 2;
  return std::nullopt;
}

double Varnel_2D_Engine::sprite_get1available() { return sprite_get1availablerange(1, state_->sprites.spritetotal); }

double Varnel_2D_Engine::sprite_get1availablerange(double startsprite, double endsprite) {
  const sprite_range range = checked_range(state_->sprites, startsprite, endsprite);
  for (int32_t n = range.first; n <= range.last; ++n) {
    const sprite_record& s = state_->sprites.sprites[static_cast<size_t>(n)];
    if (s.state == 0 && s.delay == 0) return n;
  }
  return 0;
}

double Varnel_2D_Engine::sprite_get1onrandomrange(double startsprite, double endsprite) {
  const double drawn = lib_getnumber(startsprite, endsprite);
  return state_->sprites.at(drawn).state == 1 ? drawn : 0;
}

double Varnel_2D_Engine::sprite_gethowmanyon() {
  int32_t count = 0;
  for (int32_t n = 1; n <= state_->sprites.spritetotal; ++n) count += is_live(state_->sprites.sprites[static_cast<size_t>(n)]) ? 1 : 0;
  return count;
}

int32_t Varnel_2D_Engine::private_stats_sprite_count() { return to_int32(sprite_gethowmanyon()); }

double Varnel_2D_Engine::sprite_gethowmanyonwithid(double id) {
  const int32_t wanted = to_int32(id);
  int32_t count = 0;
  for (int32_t n = 1; n <= state_->sprites.spritetotal; ++n) {
    const sprite_record& s = state_->sprites.sprites[static_cast<size_t>(n)];
    count += is_live(s) && s.id1 == wanted ? 1 : 0;
  }
  return count;
}

bool Varnel_2D_Engine::sprite_getanyoftheseon(double startsprite, double endsprite) {
  const sprite_range range = checked_range(state_->sprites, startsprite, endsprite);
  for (int32_t n = range.first; n <= range.last; ++n) {
    if (is_live(state_->sprites.sprites[static_cast<size_t>(n)])) return true;
  }
  return false;
}

double Varnel_2D_Engine::sprite_getreservedtotal() { return state_->sprites.spritetotal; }

void Varnel_2D_Engine::sprite_setzorder(double sprite, double zorder) {
  sprite_record& moved = state_->sprites.at(sprite);
  const int32_t target = to_int32(zorder);
  if (target < 1 || target > state_->sprites.spritetotal)
    throw std::out_of_range("z-order position " + std::to_string(target) + " is outside 1.." +
                            std::to_string(state_->sprites.spritetotal));
  const int32_t number = to_int32(sprite);
  int32_t i = moved.zorder;
  const int32_t step = i < target ? 1 : -1;
  while (i != target) {
    const int32_t shifted = state_->sprites.zorder[static_cast<size_t>(i + step)];
    state_->sprites.zorder[static_cast<size_t>(i)] = shifted;
    state_->sprites.sprites[static_cast<size_t>(shifted)].zorder = i;
    i += step;
  }
  state_->sprites.zorder[static_cast<size_t>(target)] = number;
  moved.zorder = target;
}

double Varnel_2D_Engine::sprite_getzorder(double sprite) { return state_->sprites.at(sprite).zorder; }

void Varnel_2D_Engine::sprite_sort(double sortmethod, double howmanysorts) {
  const int32_t method = to_int32(sortmethod);
  const int32_t total = state_->sprites.spritetotal;
  if (method < 1 || method > 4 || total < 2) return;
  const int32_t sorts = to_int32(howmanysorts);
  int32_t& cursor = state_->sprites.sortcursor;
  for (int32_t done = 0; done < sorts; ++done) {
    if (++cursor > total) cursor = 2;
    int32_t& front = state_->sprites.zorder[static_cast<size_t>(cursor - 1)];
    int32_t& back = state_->sprites.zorder[static_cast<size_t>(cursor)];
    sprite_record& a = state_->sprites.sprites[static_cast<size_t>(front)];
    sprite_record& b = state_->sprites.sprites[static_cast<size_t>(back)];
    const double key_a = sort_key(a, method);
    const double key_b = sort_key(b, method);
    if (method == 4 ? key_a > key_b : key_a < key_b) {
      std::swap(front, back);
      std::swap(a.zorder, b.zorder);
    }
  }
}

void Varnel_2D_Engine::sprite_enginedelay(double sprite, double delay) {
  sprite_record& s = state_->sprites.at(sprite);
  if (delay == 0) {
    s.state = 1;
    s.pendingtype = 0;
    s.delay = 0;
  } else {
    s.state = 0;
    s.pendingtype = s.enginetype;
    s.delay = to_int32(delay);
  }
}

double Varnel_2D_Engine::sprite_enginegetdelay(double sprite) { return state_->sprites.at(sprite).delay; }

void Varnel_2D_Engine::sprite_engineoff(double sprite) { state_->sprites.at(sprite).enginetype = 0; }

double Varnel_2D_Engine::sprite_enginegettype(double sprite) { return state_->sprites.at(sprite).enginetype; }

bool Varnel_2D_Engine::sprite_enginegetbillboardwaiting(double sprite) {
  return state_->sprites.at(sprite).billboardwaiting;
}

double Varnel_2D_Engine::sprite_enginegetbuttonclicked() {
  for (int32_t number = 1; number <= state_->sprites.spritetotal; ++number) {
    sprite_record& s = state_->sprites.sprites[static_cast<size_t>(number)];
    if (s.state == 1 && s.buttonclicked) {
      s.buttonclicked = false;
      return number;
    }
  }
  return 0;
}
