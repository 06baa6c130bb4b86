// Reading and writing one sprite's attributes: position, colour, scale, rotation, shadow, tags,
// hits, collision shape, the angle between two sprites, and moving sprites by an amount.
#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/draw_math.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

// One axis of a limited move: held at the nearer bound.
float add_limited(float value, double amount, double min, double max) {
  value = static_cast<float>(value + amount);
  if (value < min)
    value = static_cast<float>(min);
  else if (value > max)
    value = static_cast<float>(max);
  return value;
}

// One axis of a wrapping move: past one bound it reappears at the other.
float add_wrapped(float value, double amount, double min, double max) {
  value = static_cast<float>(value + amount);
  if (value < min)
    value = static_cast<float>(max);
  else if (value > max)
    value = static_cast<float>(min);
  return value;
}

}  // namespace

void Varnel_2D_Engine::sprite_setx(double sprite, double x) { state_->sprites.at(sprite).x = static_cast<float>(x); }
void Varnel_2D_Engine::sprite_sety(double sprite, double Y) { state_->sprites.at(sprite).y = static_cast<float>(Y); }

void Varnel_2D_Engine::sprite_setxy(double sprite, double x, double Y) {
  sprite_record& s = state_->sprites.at(sprite);
  s.x = static_cast<float>(x);
  s.y = static_cast<float>(Y);
}

double Varnel_2D_Engine::sprite_getx(double sprite) { return state_->sprites.at(sprite).x; }
double Varnel_2D_Engine::sprite_gety(double sprite) { return state_->sprites.at(sprite).y; }

void Varnel_2D_Engine::sprite_getxy(double sprite) {
  const sprite_record& s = state_->sprites.at(sprite);
  retx = s.x;
  rety = s.y;
}

void Varnel_2D_Engine::sprite_setalpha(double sprite, double alpha) { state_->sprites.at(sprite).alpha = static_cast<float>(alpha); }
double Varnel_2D_Engine::sprite_getalpha(double sprite) { return state_->sprites.at(sprite).alpha; }
void Varnel_2D_Engine::sprite_setscale(double sprite, double size) { state_->sprites.at(sprite).scale = static_cast<float>(size); }
double Varnel_2D_Engine::sprite_getscale(double sprite) { return state_->sprites.at(sprite).scale; }
void Varnel_2D_Engine::sprite_setrotate(double sprite, double degree) { state_->sprites.at(sprite).rotate = static_cast<float>(degree); }
double Varnel_2D_Engine::sprite_getrotate(double sprite) { return state_->sprites.at(sprite).rotate; }

void Varnel_2D_Engine::sprite_setrgb(double sprite, double r, double g, double b) {
  sprite_record& s = state_->sprites.at(sprite);
  s.r = static_cast<float>(r);
  s.g = static_cast<float>(g);
  s.b = static_cast<float>(b);
}

void Varnel_2D_Engine::sprite_getrgb(double sprite) {
  const sprite_record& s = state_->sprites.at(sprite);
  retr = s.r;
  retg = s.g;
  retb = s.b;
}

void Varnel_2D_Engine::sprite_setshadow(double sprite, double alpha, double xoffset, double yoffset, bool state) {
  sprite_record& s = state_->sprites.at(sprite);
  s.shadow = state;
  s.shadowalpha = static_cast<float>(alpha);
  s.shadowx = to_int32(xoffset);
  s.shadowy = to_int32(yoffset);
}

void Varnel_2D_Engine::sprite_setid1(double sprite, double id) { state_->sprites.at(sprite).id1 = to_int32(id); }
void Varnel_2D_Engine::sprite_setid2(double sprite, double id) { state_->sprites.at(sprite).id2 = to_int32(id); }
double Varnel_2D_Engine::sprite_getid1(double sprite) { return state_->sprites.at(sprite).id1; }
double Varnel_2D_Engine::sprite_getid2(double sprite) { return state_->sprites.at(sprite).id2; }

void Varnel_2D_Engine::sprite_sethits(double sprite, double totalhitsneeded) {
  state_->sprites.at(sprite).hits = to_int32(totalhitsneeded);
}

double Varnel_2D_Engine::sprite_gethitsleft(double sprite) { return state_->sprites.at(sprite).hits; }

bool Varnel_2D_Engine::sprite_gethit(double sprite, double addtohits) {
  sprite_record& s = state_->sprites.at(sprite);
  s.hits = to_int32(s.hits - addtohits);
  return s.hits < 1;
}

void Varnel_2D_Engine::sprite_setcollideradius(double sprite, double radius) {
  state_->sprites.at(sprite).collideradius = to_int32(radius);
}

void Varnel_2D_Engine::sprite_setcollidebox(double sprite, double xspot, double yspot, double width, double height) {
  sprite_record& s = state_->sprites.at(sprite);
  s.collidex = to_int32(xspot);
  s.collidey = to_int32(yspot);
  s.collidewidth = to_int32(width);
  s.collideheight = to_int32(height);
}

void Varnel_2D_Engine::sprite_setcollidestatus(double sprite, bool state) { state_->sprites.at(sprite).collidestatus = state; }

double Varnel_2D_Engine::sprite_getangle(double sprite1, double sprite2) {
  const grid_point from = sprite_centre(state_->sprites.at(sprite1));
  const grid_point to = sprite_centre(state_->sprites.at(sprite2));
  return lib_getangle(static_cast<float>(from.x), static_cast<float>(from.y), static_cast<float>(to.x),
                      static_cast<float>(to.y));
}

void Varnel_2D_Engine::sprite_addtopos(double sprite, double xvalue, double yvalue) {
  sprite_record& s = state_->sprites.at(sprite);
  s.x = static_cast<float>(s.x + xvalue);
  s.y = static_cast<float>(s.y + yvalue);
  s.basex = static_cast<float>(s.basex + xvalue);
  s.basey = static_cast<float>(s.basey + yvalue);
}

void Varnel_2D_Engine::sprite_addtoposrange(double startsprite, double endsprite, double xvalue, double yvalue) {
  for (int32_t n = to_int32(startsprite); n <= to_int32(endsprite); ++n) sprite_addtopos(n, xvalue, yvalue);
}

void Varnel_2D_Engine::sprite_addtoposlimit(double sprite, double xvalue, double yvalue, double xmin, double ymin,
                                            double xmax, double ymax) {
  sprite_record& s = state_->sprites.at(sprite);
  s.x = add_limited(s.x, xvalue, xmin, xmax);
  s.y = add_limited(s.y, yvalue, ymin, ymax);
}

void Varnel_2D_Engine::sprite_addtoposwrap(double sprite, double xvalue, double yvalue, double xmin, double ymin,
                                           double xmax, double ymax) {
  sprite_record& s = state_->sprites.at(sprite);
  s.x = add_wrapped(s.x, xvalue, xmin, xmax);
  s.y = add_wrapped(s.y, yvalue, ymin, ymax);
}

void Varnel_2D_Engine::sprite_addtoposlimitrange(double startsprite, double endsprite, double xvalue, double yvalue,
                                                 double xmin, double ymin, double xmax, double ymax) {
  for (int32_t n = to_int32(startsprite); n <= to_int32(endsprite); ++n)
    sprite_addtoposlimit(n, xvalue, yvalue, xmin, ymin, xmax, ymax);
}

void Varnel_2D_Engine::sprite_addtoposwraprange(double startsprite, double endsprite, double xvalue, double yvalue,
                                                double xmin, double ymin, double xmax, double ymax) {
  for (int32_t n = to_int32(startsprite); n <= to_int32(endsprite); ++n)
    sprite_addtoposwrap(n, xvalue, yvalue, xmin, ymin, xmax, ymax);
}
