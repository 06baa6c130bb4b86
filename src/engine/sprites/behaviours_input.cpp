// Behaviours driven by the user: moving by held keys, following the cursor, and buttons that
// show three frames (idle, under the cursor, pressed) and report a click.
#include <algorithm>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/sprites/behaviours.h"
#include "engine/sprites/motion.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {

constexpr int32_t key_move_code = 23;
constexpr int32_t button_code = 24;
constexpr int32_t mouse_code = 32;

// Button frames (rows of the frame column) and the pressed state.
constexpr float button_idle = 0.0f;
constexpr float button_under_cursor = 1.0f;
constexpr float button_pressed = 2.0f;
constexpr int32_t pressed_over = 1;
constexpr double cursor_box = 2;

}  // namespace

void Varnel_2D_Engine::sprite_enginekeymove(double sprite, double xdir, double ydir, double keyleft, double keyup,
                                            double keyright, double keydown, double xmin, double ymin, double xmax,
                                            double ymax) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = key_move_code;
  s.xdir = static_cast<float>(xdir);
  s.ydir = static_cast<float>(ydir);
  s.keyleft = to_int32(keyleft);
  s.keyup = to_int32(keyup);
  s.keyright = to_int32(keyright);
  s.keydown = to_int32(keydown);
  set_bounds(s, {xmin, ymin, xmax, ymax});
  set_direction(s);
}

void Varnel_2D_Engine::sprite_enginemouse(double sprite, double xoffset, double yoffset, double xmin, double ymin,
                                          double xmax, double ymax) {
  sprite_record& s = state_->sprites.at(sprite);
  s.enginetype = mouse_code;
  s.mousexoffset = to_int32(xoffset);
  s.mouseyoffset = to_int32(yoffset);
  set_bounds(s, {xmin, ymin, xmax, ymax});
}

void Varnel_2D_Engine::sprite_enginebutton(double sprite, double x, double Y, double textureindex, double sourcex,
                                           double sourcey, double framewidth, double frameheight) {
  sprite_record& s = state_->sprites.at(sprite);
  s.state = 1;
  s.enginetype = button_code;
  s.x = static_cast<float>(x);
  s.y = static_cast<float>(Y);
  s.origintopleft = true;
  s.textureindex = to_int32(textureindex);
  s.srcx = to_int32(sourcex);
  s.srcy = to_int32(sourcey);
  s.framewidth = to_int32(framewidth);
  s.frameheight = to_int32(frameheight);
  s.xframe = s.yframe = 0.0f;
  s.animmode = 0;
  // The click test is a collision test of the button with the cursor, so it takes part in them.
  s.collidestatus = true;
  s.collidex = s.collidey = 0;
  s.collidewidth = s.framewidth;
  s.collideheight = s.frameheight;
  s.collideradius = 0;
  s.pendingtype = 0;
  s.delay = 0;
  s.endaction = 0;
  s.soundindex = 0;
  s.buttonstate = 0;
  s.buttonclicked = false;
}

namespace varnel2d {

turn_result behave_key_move(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  Varnel_2D_Engine& engine = turn.engine;
  const float t = turn.t;
  s.direction = no_direction;
  if (engine.key_check(s.keyup)) {
    s.y = std::max(s.y - s.ydir * t, s.ymin);
    s.direction = 0;
  } else if (engine.key_check(s.keydown)) {
    s.y = std::min(s.y + s.ydir * t, s.ymax);
    s.direction = 4;
  }
  if (engine.key_check(s.keyleft)) {
    s.x = std::max(s.x - s.xdir * t, s.xmin);
    s.direction = 6;
  } else if (engine.key_check(s.keyright)) {
    s.x = std::min(s.x + s.xdir * t, s.xmax);
    s.direction = 2;
  }
  return turn_result::goes_on;
}

turn_result behave_follow_mouse(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  const Varnel_2D_Engine& engine = turn.engine;
  s.x = engine.mousex + static_cast<float>(s.mousexoffset) + engine.mapx;
  s.y = engine.mousey + static_cast<float>(s.mouseyoffset) + engine.mapy;
  return turn_result::goes_on;
}

turn_result behave_button(sprite_turn& turn) {
  sprite_record& s = turn.sprite;
  Varnel_2D_Engine& engine = turn.engine;
  const bool over = engine.sprite_collideoverarea(turn.number, static_cast<double>(engine.mousex) - 1,
                                                  static_cast<double>(engine.mousey) - 1, cursor_box, cursor_box);
  const bool up = engine.mousebutton == 0;
  const bool down = engine.mousebutton == 1 || engine.mousebutton == 2;
  if ((up || down) && !over) {
    s.yframe = button_idle;
    s.buttonstate = 0;
  } else if (up) {
    s.yframe = button_under_cursor;
    // A press released over the button is one click.
    if (s.buttonstate == pressed_over) {
      s.buttonclicked = true;
      s.buttonstate = 0;
    }
  } else if (down) {
    s.yframe = button_pressed;
    s.buttonstate = pressed_over;
  }
  return turn_result::goes_on;
}

}  // namespace varnel2d
