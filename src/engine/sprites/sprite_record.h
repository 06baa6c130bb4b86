// The record of one sprite: one row of the sprite table. Every field of every sprite family lives
// here (behaviours, effects, animation, collision); `sprite_on` sets the defaults noted below and
// keeps the fields marked "kept". Positions are world pixels, rotations degrees, colours 0..255.
#pragma once

#include <array>
#include <cstdint>

#include "engine/sprites/effect_style.h"

namespace varnel2d {

// Direction codes: 0 up, clockwise in 45-degree steps, 8 none.
inline constexpr int16_t no_direction = 8;
inline constexpr int32_t direction_count = 9;

struct sprite_record {
  int32_t state = 0;      // 0 off, 1 on (2 is reported but never set by the engine)
  int32_t endaction = 0;  // 1: a straight move switches off when its length runs out
  float x = 0.0f, y = 0.0f;
  int32_t zorder = 0;     // the sprite's position in the z-order list, kept up to date by the list
  bool origintopleft = false;  // false: (x, y) is the centre of the drawn frame
  float r = 0.0f, g = 0.0f, b = 0.0f;
  bool shadow = false;
  float shadowalpha = 0.0f;
  int32_t shadowx = 0, shadowy = 0;
  // Scale effect: `scale` with its channel (the fields scaling, scalestep, scalemin, scalemax,
  // scalelength, scalestyle as scaling.running, .step, .min, .max, .length, .style).
  float scale = 0.0f;
  effect_channel scaling;
  // Alpha effect: `alpha` with `fading` (alphastep .. alphastyle).
  float alpha = 0.0f;
  effect_channel fading;
  // Rotation effect: `rotate` with `rotating` (rotatestep .. rotatestyle).
  float rotate = 0.0f;
  effect_channel rotating;
  int32_t rotatetarget = 0;     // sprite faced by rotation style 9
  float lastx = 0.0f, lasty = 0.0f;  // position when rotation style 10 last turned the sprite

  // Behaviours.
  int32_t enginetype = 0;   // behaviour code 0..35, 0 none
  int32_t pendingtype = 0;  // behaviour started when the delay runs out
  int32_t delay = 0;        // timedelta units until a waiting sprite switches itself on
  float xdir = 0.0f, ydir = 0.0f;  // velocity per timedelta unit
  float counter = 0.0f, speed = 0.0f, length = 0.0f;  // length 0 or less: unlimited
  float xmin = 0.0f, xmax = 0.0f, ymin = 0.0f, ymax = 0.0f;
  float bvalue1 = 0.0f, bvalue2 = 0.0f, bvalue3 = 0.0f, bvalue4 = 0.0f;
  float bvalue5 = 0.0f, bvalue6 = 0.0f, bvalue7 = 0.0f, bvalue8 = 0.0f;
  int16_t wrap = 0;
  float targetx = 0.0f, targety = 0.0f;
  int32_t framemovestate = 0;
  std::array<int32_t, direction_count> diranimindex{};
  std::array<int32_t, direction_count> diranimspeed{};
  int16_t direction = 0;
  int16_t lastdirection = 0;
  int32_t mousexoffset = 0, mouseyoffset = 0;
  float basex = 0.0f, basey = 0.0f;  // centre of a swing or orbit
  int32_t latchsprite = 0, latchx = 0, latchy = 0;

  // Frame: texture slot 1..200 and a cell of a grid with one-pixel gaps.
  int32_t textureindex = 0;
  int32_t srcx = 0, srcy = 0;
  float xframe = 0.0f, yframe = 0.0f;
  int32_t framewidth = 0, frameheight = 0;

  // Animation.
  int32_t animmode = 0;
  int32_t animindex = 0, animframe = 0, animspeed = 0, animcounter = 0;
  int32_t newanimindex = 0, newanimspeed = 0;

  // Following, swinging and orbiting.
  int32_t target = 0;
  float angle = 0.0f;        // radians
  float diameter = 0.0f;     // radius in pixels
  float rotatespeed = 0.0f;  // radians per timedelta unit
  int32_t turn = 0;          // +1 or -1
  int32_t orbitxoffset = 0, orbityoffset = 0, orbitstyle = 0;
  bool orbitturnoff = false;

  // Collision.
  bool collidestatus = false;
  int32_t collidex = 0, collidey = 0, collidewidth = 0, collideheight = 0;
  int32_t collideradius = 0;

  // Behaviour details: billboards, drops, key moves, buttons.
  bool billboardwaiting = false;
  int32_t soundindex = 0;
  int32_t keyup = 0, keydown = 0, keyleft = 0, keyright = 0;
  int32_t buttonstate = 0;
  bool buttonclicked = false;

  // The caller's tags and hit count.
  int32_t id1 = 0, id2 = 0;
  int32_t hits = 0;

  // Path offsets.
  int32_t offsetindex = 0;
  float offsetposition = 0.0f;
  int32_t offsettype = 0, offsetstyle = 0, offsetlength = 0;
  float offsettimer = 0.0f;
};

}  // namespace varnel2d
