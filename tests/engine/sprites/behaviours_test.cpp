// The sprite behaviours run by the pass. One table follows each behaviour pass by pass (what was
// drawn, where the sprite is, which way it heads), the path offsets among them; the direction codes,
// random re-entries, swings, orbits, shakes, landings, billboards and buttons have tests of their own.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/angles.h"
#include "engine/sprites/motion.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::pass;
using testing::where;
using sprites = testing::recorded_sprites;
using action = void (*)(sprites&);
constexpr double any = std::numeric_limits<double>::quiet_NaN();
constexpr uint8_t key_up = 200, key_left = 203, key_right = 205, key_down = 208;

// One pass: `before` runs first; then the quads drawn (-1: not checked), the watched sprite's
// place (any: not checked) and its direction (-1: not checked).
struct after_pass {
  int drawn;
  double x = any, y = any;
  int direction = -1;
  action before = nullptr;
};
// Sprite 1 is put at (x, y) and `start` starts the behaviour.
struct behaviour_case {
  const char* name;
  double x, y;
  action start;
  std::vector<after_pass> passes;
  int status;             // the watched sprite's status after the last pass
  int type = -1;          // and its behaviour code (-1: not checked)
  double x_tolerance = 0, y_tolerance = 0;  // for places; 0: exactly the float
  double watched = 1;
};

double distance(sprites& e, double sprite, double x, double y) {
  return std::hypot(e->sprite_getx(sprite) - x, e->sprite_gety(sprite) - y);
}

// Makes a sprite's direction readable: animation d + 1 (one frame) belongs to direction d (0 up,
// clockwise, 8 none), so the animation the last pass chose, less one, is the direction.
void watch_direction(sprites& e, double sprite) {
  std::string list;
  for (int direction = 0; direction <= 8; ++direction) {
    e->sprite_animateset(direction + 1, 0, 0, 16, 16, 1, "0,0", "1");
    list += (direction == 0 ? "" : ",") + std::to_string(direction + 1) + ",1";
  }
  e->sprite_animatedirection(sprite, 8, list);
}

// A snowflake's fall: 0.5 a unit, swinging 20 either side, falling inside a wide area.
void flake(sprites& e, double sprite, bool startright = true, double length = 0) {
  e->sprite_engineycos(sprite, 0.5, 20, 0.05, -170, -250, 680, 480, startright, length);
}

TEST(Behaviours, EachFollowsItsPathPassByPass) {
  const behaviour_case cases[] = {
      {"move: length 10 stops it on the tenth unit, still drawn", 100, 100,
       [](sprites& e) { e->sprite_enginemove(1, 2, -1, 0, 0, 640, 480, 10); },
       {{1, 102, 99}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1, 120, 90}, {1, 120, 90}}, 1, 0},
      {"shot: the same length ends it off", 100, 100,
       [](sprites& e) { e->sprite_engineshoot(1, 90, 2, 0, 0, 640, 480, 10); },
       {{1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {0}}, 0},
      {"shot at 0 degrees: up", 100, 100, [](sprites& e) { e->sprite_engineshoot(1, 0, 3, 0, 0, 640, 480); },
       {{1, 100, 97}}, 1, 1, 1e-4, 0},
      {"shot at 500 degrees: held to 359", 100, 100,
       [](sprites& e) { e->sprite_engineshoot(1, 500, 3, 0, 0, 640, 480); },
       {{1, 100 - 3 * std::sin(std::numbers::pi / 180), 100 - 3 * std::cos(std::numbers::pi / 180)}}, 1, 1, 1e-4,
       1e-4},
      {"shot at a sprite: heads for it, off past xmax", 100, 100,
       [](sprites& e) { e.frame_at(2, 200, 100), e->sprite_engineshootsprite(1, 2, 50, 0, 0, 180, 480); },
       {{2, 150, 100}, {1}}, 0, -1, 1e-3, 1e-3},
      {"pong: crossing xmax reverses and steps back", 98, 50,
       [](sprites& e) { e->sprite_enginepong(1, 3, -2, 0, 0, 100, 100); }, {{1, 98, 48}, {1, 95, 46}}, 1, 2},
      {"pong: crossing ymin reverses", 50, 1, [](sprites& e) { e->sprite_enginepong(1, 0, -2, 0, 0, 100, 100, 5); },
       {{1, 50, 1}, {1, 50, 3}}, 1},
      {"wrap: reappears at the opposite bounds", 99, 1,
       [](sprites& e) { e->sprite_enginewrap(1, 2, -2, 0, 0, 100, 100); },
       {{1, 0, 100}}, 1, 25},
      {"move y repeat with wrap: keeps its x", 50, 99,
       [](sprites& e) { e->sprite_enginemoveyrepeat(1, 0, 2, 10, 0, 30, 100, 1); }, {{1, 50, 0}}, 1, 28},
      {"move x repeat with wrap: keeps its y", 1, 500,
       [](sprites& e) { e->sprite_enginemovexrepeat(1, -2, 0, 0, 40, 100, 60, 1); }, {{1, 100, 500}}, 1, 29},
      {"sway fall repeat with wrap: keeps its swing centre", 100, 99,
       [](sprites& e) { e->sprite_engineycosrepeat(1, 2, 5, 0.1, 10, 0, 30, 100, true, 1); }, {{1, 100, 0}}, 1, 30,
       0.1, 0},
      {"sine swing repeat with wrap: keeps its swing centre", 99, 500,
       [](sprites& e) { e->sprite_enginexsinrepeat(1, 2, 5, 0.1, 0, 40, 100, 60, true, 1); }, {{1, 0, 495}}, 1, 31,
       0, 0.01},
      {"frame move from the top left: clockwise, passing a corner sets it there", 300, 300,
       [](sprites& e) { e->sprite_engineframemove(1, 5, 5, 0, 0, 20, 10, true); },
       {{1, 5, 0, 2}, {1, 10, 0}, {1, 15, 0}, {1, 20, 0}, {1, 20, 0}, {1, 20, 5, 4}, {1, 20, 10}, {1, 20, 10},
        {1, 15, 10, 6}, {1, 10, 10}, {1, 5, 10}, {1, 0, 10}, {1, 0, 10}, {1, 0, 5, 0}, {1, 0, 0}, {1, 0, 0},
        {1, 5, 0, 2}},
       1, 9},
      {"frame move from the bottom right: counter-clockwise", 300, 300,
       [](sprites& e) { e->sprite_engineframemove(1, 5, 5, 0, 0, 20, 10, false); },
       {{1, 20, 5, 0}, {1, 20, 0}, {1, 20, 0}, {1, 15, 0, 6}}, 1},
      {"move to a point: 50 away at 10 a unit, arrives in 5 or 6 units and stops", 0, 0,
       [](sprites& e) { e->sprite_enginemovetoxy(1, 30, 40, 10); },
       {{1}, {1}, {1}, {1, 24, 32, 3}}, 1, 10, 0.1, 0.1},
      {"move to a point: then set exactly on it, with no direction", 0, 0,
       [](sprites& e) { e->sprite_enginemovetoxy(1, 30, 40, 10); },
       {{1}, {1}, {1}, {1}, {1}, {1, 30, 40}, {1, 30, 40, 8}}, 1, 0},
      {"thrust: accelerates, stops unseen in the frame its length runs out", 0, 0,
       [](sprites& e) { e->sprite_enginethrust(1, 1, 0, 1, 0.5, -10, -10, 640, 480, 3); },
       {{1, 2, 0.5}, {1}, {0, 9, 3}, {1, 9, 3}}, 1, 0},
      {"thrust at frame time 2: both the speed and the step scale by it", 0, 0,
       [](sprites& e) { e->timedelta = 2, e->sprite_enginethrust(1, 1, 0, 1, 0.5, -10, -10, 640, 480); },
       {{1, 6, 2}}, 1},
      {"thrust: off outside the bounds", 0, 0,
       [](sprites& e) { e->sprite_enginethrust(1, 0, -1, 0, 0, -10, -1, 640, 480); },
       {{1}, {0}}, 0},
      {"vertical bounce: bounces off ymax, off past xmax", 10, 95,
       [](sprites& e) { e->sprite_enginevbounce(1, 2, 3, 0, 1, 0, 0, 15, 100); },
       {{1, 12, 99}, {1, 14, 100}, {0, 16, 96}}, 0},
      {"horizontal bounce: bounces off xmin while accelerating left", 3, 50,
       [](sprites& e) { e->sprite_enginehbounce(1, -2, 0, -1, 0, 0, 0, 100, 100); },
       {{1, 0, 50}, {1, 0, 50}, {1, 3, 50}}, 1, 19},
      // Ball bounces: position += speed, then speed += 2 (or -3); at the far bound the speed turns,
      // at the near one it stops.
      {"ball bounce falling: 0 2 6 12 20, bounces, back to 0 and rests", 10, 7,
       [](sprites& e) { e->sprite_enginebounce(1, -2, 0, 20, true); },
       {{1, 10, 0}, {1, 10, 2}, {1, 10, 6}, {1, 10, 12}, {1, 10, 20}, {1, 10, 20}, {1, 10, 8}, {1, 10, 0}, {1, 10, 0},
        {1, 10, 2}}, 1, 26},
      {"ball bounce across, rising: starts at the high bound, bounces at 0 with speed 18", 10, 7,
       [](sprites& e) { e->sprite_enginebouncex(1, 3, 0, 30, false); },
       {{1, 30, 7}, {1, 27}, {1, 21}, {1, 12}, {1, 0}, {1, 0}, {1, 18}}, 1, 34},
      {"track: steps on the axes that differ, stops on the target", 94, 50,
       [](sprites& e) { e.frame_at(2, 100, 50), e->sprite_enginetrack(1, 2, 2, 3); },
       {{2, 96, 50, 2}, {2, 98, 50}, {2, 100, 50}, {2, 100, 50},
        {2, 100, 47, 0, [](sprites& e) { e->sprite_sety(2, 0); }}}, 1, 3},
      {"track with inertia: speed grows to 3 and overshoots", 0, 0,
       [](sprites& e) { e.frame_at(2, 20, 0), e->sprite_enginetracki(1, 2, 1, 3, 1, 3); },
       {{2, 1, 0}, {2, 3, 0}, {2, 6, 0}, {2, 9, 0}, {2}, {2}, {2}, {2, 21, 0}, {2, 23, 0}}, 1, 11},
      {"latch: rides at its offset from where the target was before the target moved", 100, 100,
       [](sprites& e) {
         e.frame_at(2, 0, 0);
         e->sprite_enginelatch(2, 1, 5, -7);
         e->sprite_enginemove(1, 2, 0, 0, 0, 640, 480);
       },
       {{2, 105, 93}, {2, 107, 93}, {0, any, any, -1, [](sprites& e) { e->sprite_off(1); }}}, 0, -1, 0, 0, 2},
      {"latch: its length ends the ride", 100, 100,
       [](sprites& e) { e.frame_at(2, 0, 0), e->sprite_enginelatch(2, 1, 0, 0, 2); }, {{2}, {1}}, 0, -1, 0, 0, 2},
      {"key move: up and left, held at xmin, then down, then no key", 100, 100,
       [](sprites& e) {
         e->sprite_enginekeymove(1, 2, 3, key_left, key_up, key_right, key_down, 97, 0, 640, 480);
         e.input->press(key_up);
         e.input->press(key_left);
       },
       {{1, 98, 97, 6}, {1, 97, 94},
        {1, 97, 97, 4,
         [](sprites& e) { e.input->release(key_up), e.input->release(key_left), e.input->press(key_down); }},
        {1, 97, 97, 8, [](sprites& e) { e.input->release(key_down); }}}, 1, 23},
      {"key move at frame time 2: right and down twice as far, held at xmax", 100, 100,
       [](sprites& e) {
         e->timedelta = 2, e->sprite_enginekeymove(1, 2, 3, key_left, key_up, key_right, key_down, 0, 0, 103, 480);
         e.input->press(key_right), e.input->press(key_down);
       },
       {{1, 103, 106, 2}}, 1, 23},
      {"mouse: the cursor plus its offset, in the world", 0, 0,
       [](sprites& e) {
         e->sprite_enginemouse(1, 4, -6, 0, 0, 640, 480);
         e->mousex = 50, e->mousey = 60, e->mapx = 1000;
       },
       {{1, 1054, 54}}, 1, 32},
      {"move stopped by sprite_engineoff: stays where it is, on", 100, 100,
       [](sprites& e) { e->sprite_enginemove(1, 1, 0, 0, 0, 640, 480); },
       {{1, 101, 100}, {1, 101, 100, -1, [](sprites& e) { e->sprite_engineoff(1); }}}, 1, 0},
      {"sway fall without startright: left first", 100, -100, [](sprites& e) { flake(e, 1, false); },
       {{1, 100 - 20 * std::cos(4.7)}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1, 100 - 20 * std::cos(5.2)}},
       1, 7, 1e-3, 0},
      {"sway fall: falls at its speed times timedelta", 100, -100, [](sprites& e) { flake(e, 1); },
       {{1, any, -99.5}, {1, any, -91.5, -1, [](sprites& e) { e->timedelta = 16; }}}, 1, 7},
      {"sway fall: length 3 ends it", 100, -100, [](sprites& e) { flake(e, 1, true, 3); }, {{1}, {1}, {0}}, 0},
      {"sway fall: y 480 is still inside; past it off and undrawn that frame, its last place readable", 100, 479.5,
       [](sprites& e) {
         e.frame_at(2, 100, -100), e.frame_at(3, 100, -100);
         for (double sprite = 1; sprite <= 3; ++sprite) flake(e, sprite);
       },
       {{3, any, 480}, {2, any, 480.5}}, 0},
      {"sine swing: start down is at the top, then swings down", 0, 100,
       [](sprites& e) { e->sprite_enginexsin(1, 2, 10, 0.1, -10, 0, 640, 480, true); },
       {{1, 2, 100 + 10 * std::sin(4.7)}, {1, 4, 100 + 10 * std::sin(4.8)}}, 1, 12, 0, 1e-4},
      {"sine swing: start up is at the bottom, then swings up", 0, 100,
       [](sprites& e) { e->sprite_enginexsin(1, 2, 10, 0.1, -10, 0, 640, 480, false); },
       {{1, 2, 100 - 10 * std::sin(4.7)}, {1, 4, 100 - 10 * std::sin(4.8)}}, 1, 12, 0, 1e-4},
      {"sine swing: off past xmax", 0, 100,
       [](sprites& e) { e->sprite_enginexsin(1, 2, 10, 0.1, -10, 0, 3, 480, true); },
       {{1}, {0}}, 0},
      {"path offset: one step per point whatever the frame time; style 0 ends off on the last", 100, 100,
       [](sprites& e) {
         e->sprite_offsetset(3, 3, "1,0,2,0,0,4", "");
         e->sprite_engineoffset(1, 3, 10, 0, 0);
         e->timedelta = 5;  // the timer of 10 runs out every second unit
       },
       {{1, 100, 100}, {1, 101, 100}, {1, 101, 100}, {1, 103, 100}, {1, 103, 100}, {0, 103, 104}}, 0},
      {"path offset: style 2 repeats", 0, 0,
       [](sprites& e) { e->sprite_offsetset(1, 2, "1,0,1,0", ""), e->sprite_engineoffset(1, 1, 0, 0, 2); },
       {{1, 1, 0}, {1, 2, 0}, {1, 3, 0}, {1, 4, 0}, {1, 5, 0}, {1, 6, 0}, {1, 7, 0}, {1, 8, 0}, {1, 9, 0}}, 1, 5},
      {"path offset: style 1 stops on the last point", 0, 0,
       [](sprites& e) { e->sprite_offsetset(1, 2, "1,0,1,0", ""), e->sprite_engineoffset(1, 1, 0, 0, 1); },
       {{1, 1, 0}, {1, 2, 0}, {1, 2, 0}, {1, 2, 0}}, 1},
      {"path offset: type 1 steps from a sprite, for its length of 3", 50, 20,
       [](sprites& e) {
         e->sprite_offsetset(2, 2, "5,5,-5,5", "");
         e.frame_at(3, 0, 0);
         e->sprite_engineoffset(3, 2, 0, 1, 3, 1, 3);
       },
       {{2, 55, 25}, {2}, {1}}, 0, -1, 0, 0, 3},
      {"boss move: turns at xmax and heads left; its centre goes 105, 110, 112 and stays, swinging within 4", 95, 100,
       [](sprites& e) { e->sprite_enginebossmove1(1, 10, 5, 4, 0.1, 0, 0, 100, 300, 112, true); },
       {{1, 100, any, 6}, {1, 90}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1, any, 112}}, 1, 33, 0, 4.01},
  };
  for (const behaviour_case& c : cases) {
    SCOPED_TRACE(c.name);
    sprites e;
    e.frame_at(1, c.x, c.y);
    c.start(e);
    watch_direction(e, c.watched);
    for (size_t n = 0; n < c.passes.size(); ++n) {
      SCOPED_TRACE("pass " + std::to_string(n + 1));
      const after_pass& p = c.passes[n];
      if (p.before) p.before(e);
      const size_t drawn = pass(e);
      if (p.drawn >= 0) { EXPECT_EQ(drawn, static_cast<size_t>(p.drawn)); }
      const auto place = where(e, c.watched);
      for (const auto& [want, got, tolerance] :
           {std::tuple{p.x, place.first, c.x_tolerance}, std::tuple{p.y, place.second, c.y_tolerance}}) {
        if (std::isnan(want)) continue;
        if (tolerance > 0) { EXPECT_NEAR(got, want, tolerance); }
        if (tolerance == 0) { EXPECT_EQ(static_cast<float>(got), static_cast<float>(want)); }
      }
      if (p.direction >= 0) { EXPECT_EQ(e->sprite_animategetanim(c.watched) - 1, p.direction); }
    }
    EXPECT_EQ(*e->sprite_getstatus(c.watched), c.status);
    if (c.type >= 0) { EXPECT_EQ(e->sprite_enginegettype(c.watched), c.type); }
  }
}

// The nine direction codes from the signs of a velocity, and the direction between two sprites'
// centres as tracking and orbits use it.
TEST(MotionDirection, SignsOfTheVelocityGiveTheNineCodesAndTowardsASpriteUsesRoundedCentres) {
  const float velocities[9][2] = {{0, -1}, {2, -1}, {0.5f, 0}, {1, 1}, {0, 3}, {-1, 1}, {-1, 0}, {-1, -1}, {0, 0}};
  for (int16_t code = 0; code <= 8; ++code)
    EXPECT_EQ(move_direction(velocities[code][0], velocities[code][1]), code);
  sprite_record from, to;
  from.x = 10.9f;  // Int: 10, centre 10 + 2.5 = 12.5 -> 12
  from.framewidth = 5;
  to.x = 12.0f;  // centre 12 + 0.5 = 12.5 -> 12
  to.framewidth = 1;
  EXPECT_EQ(direction_between(from, to), 8);
  to.y = 3.0f;
  EXPECT_EQ(direction_between(from, to), 4);
  to.x = 14.0f;
  EXPECT_EQ(direction_between(from, to), 3);
}

// The repeating moves come back in at the other bound at a random place across it.
TEST(Behaviours, RepeatingMovesReenterAtARandomPlaceAcross) {
  struct repeat_case {
    double x, y;  // sprite 1's place before it leaves
    action start;
    bool across_x;  // the random coordinate is x (else y); the other is the re-entry bound
    double bound, low, high;
  };
  const repeat_case cases[] = {
      {50, 99, [](sprites& e) { e->sprite_enginemoveyrepeat(1, 0, 2, 10, 0, 30, 100); }, true, 0, 10, 30},
      {1, 500, [](sprites& e) { e->sprite_enginemovexrepeat(1, -2, 0, 0, 40, 100, 60); }, false, 100, 40, 60},
      {100, 99, [](sprites& e) { e->sprite_engineycosrepeat(1, 2, 5, 0.1, 10, 0, 30, 100, true); }, true, 0, 10, 30},
      {99, 500, [](sprites& e) { e->sprite_enginexsinrepeat(1, 2, 5, 0.1, 0, 40, 100, 60, true); }, false, 0, 40, 60},
  };
  for (const repeat_case& c : cases) {
    sprites e;
    std::set<double> places;
    for (int run = 0; run < 20; ++run) {
      e.frame_at(1, c.x, c.y);
      c.start(e);
      pass(e);
      const double place = c.across_x ? e->sprite_getx(1) : e->sprite_gety(1);
      EXPECT_EQ(c.across_x ? e->sprite_gety(1) : e->sprite_getx(1), c.bound);
      EXPECT_TRUE(place >= c.low && place <= c.high) << place;
      places.insert(place);
      pass(e);  // the swings go on about the new place
      EXPECT_NEAR(c.across_x ? e->sprite_getx(1) : e->sprite_gety(1), place, 5.1);
    }
    EXPECT_GT(places.size(), 3u);
  }
}

TEST(SwayFall, SwingsRightFirstToTheFullWidthAndWrapsItsAngle) {
  sprites e;
  e.frame_at(1, 100, -100);
  flake(e, 1);
  std::vector<double> xs{100};
  for (int frame = 1; frame <= 40; ++frame) {
    pass(e);
    xs.push_back(e->sprite_getx(1));
  }
  EXPECT_NEAR(xs[1], 100 + std::cos(4.7f) * 20, 1e-4);  // about 99.75
  for (int frame = 2; frame <= 31; ++frame) EXPECT_GT(xs[frame], xs[frame - 1]) << frame;
  // 4.7 + 0.05 k passes 2 pi at k = 32; the swing then goes on from near 0.
  EXPECT_NEAR(xs[32], 100 + 20 * std::cos(4.7f + 31 * 0.05f), 1e-3);
  EXPECT_NEAR(xs[33], 100 + 20 * std::cos(4.7f + 32 * 0.05f - 2 * engine_pi), 1e-3);  // about 120: the full width
  const double before = e->sprite_getx(1);
  e->sprite_addtopos(1, 50, 0);
  pass(e);
  EXPECT_NEAR(e->sprite_getx(1), before + 50, 1.5);  // moving the sprite moved its swing's centre
}

TEST(Orbits, CircleTheirPlaceOrTheirTargetAtTheirRadiusAndMayGoOffWithTheTarget) {
  sprites e;
  e.frame_at(1, 100, 100);
  e->sprite_engineorbitstill(1, 10, 0.2, true, 0);
  e.frame_at(2, 100, 300);
  e->sprite_engineorbitmove(2, 10, 0.2, 3, 0, 0, 0, 200, 400, false, 0);
  e->sprite_on(3, 200, 200, 1, 0, 0, 0, 0, 32, 32, true);  // the target: centre 216, 216
  for (double sprite = 4; sprite <= 6; ++sprite) e.frame_at(sprite, 0, 0);  // 16 x 16: placed by their centres
  e->sprite_engineorbit(4, 3, 20, 0.1, 0, 0, 0, true, 0, 5, 3, false);  // the radius grows 5 every 3 units
  e->sprite_engineorbit(5, 3, 20, 0.1, 5, -5, 1, true, 0, 0, 0, true);  // across only; goes off with the target
  e->sprite_engineorbit(6, 3, 20, 0.1, 5, -5, 2, true, 0, 0, 0, false);  // up and down only
  for (int frame = 1; frame <= 40; ++frame) {
    pass(e);
    EXPECT_NEAR(distance(e, 1, 100, 100), 10, 1e-3);
    // The moving centre steps 3 after each circle step: 97 + 3 n.
    if (frame <= 5) { EXPECT_NEAR(distance(e, 2, 97 + 3 * frame, 300), 10, 1e-3); }
    if (frame <= 4) { EXPECT_NEAR(distance(e, 4, 216 - 8, 216 - 8), frame < 4 ? 20 : 25, 1e-3) << frame; }
  }
  EXPECT_EQ(e->sprite_enginegettype(1), 21);
  EXPECT_EQ(*e->sprite_getstatus(2), 0);  // its centre left through xmax 200
  EXPECT_FLOAT_EQ(static_cast<float>(e->sprite_gety(5)), 216 - 5 - 8);
  EXPECT_FLOAT_EQ(static_cast<float>(e->sprite_getx(6)), 216 + 5 - 8);
  e->sprite_off(3);
  pass(e);
  EXPECT_EQ(std::pair(*e->sprite_getstatus(5), *e->sprite_getstatus(6)), std::pair(0.0, 1.0));
  // At frame time 2 the moving centre steps twice as far a pass.
  e->timedelta = 2.0f;
  e.frame_at(7, 100, 300);
  e->sprite_engineorbitmove(7, 10, 0.2, 3, 0, 0, 0, 400, 400, false, 0);
  pass(e);
  EXPECT_NEAR(distance(e, 7, 100, 300), 10, 1e-3);
  pass(e);
  EXPECT_NEAR(distance(e, 7, 106, 300), 10, 1e-3);
}

TEST(Behaviours, ShakeDisplacesBy5EverySecondUnitAndComesBack) {
  sprites e;
  e.frame_at(2, 100, 100);
  e->sprite_engineshake(2, 5, 2);
  for (int frame = 1; frame <= 6; ++frame) {
    pass(e);
    EXPECT_NEAR(distance(e, 2, 100, 100), frame == 4 || frame == 5 ? 5 : 0, 1e-3) << frame;
  }
}

// Animation 2 (three frames in row 1) is the landing.
TEST(Drops, LandOnTheBoundPlayTheLandingOnceAndGoOff) {
  sprites e;
  ASSERT_TRUE(e->sprite_animateset(2, 0, 0, 16, 16, 3, "0,1,1,1,2,1", "1,1,1"));
  e.frame_at(1, 100, 90);
  e->sprite_engineydrop(1, 1, 3, 0, 1, 0, 100, 2, 1, 0);
  e.frame_at(2, 5, 50);
  e->sprite_enginexdrop(2, -3, 2, -1, 0, 0, 640, 2, 5, 7);  // no audio here: the sound is skipped
  const auto state = [&](double sprite) {
    return std::tuple(e->sprite_getx(sprite), e->sprite_gety(sprite), e->sprite_animategetanim(sprite));
  };
  pass(e);  // 1: ydir 4, y 94; 2: xdir -4, x 1
  EXPECT_EQ(state(2), std::tuple(1.0, 52.0, 0.0));
  pass(e);  // 1: ydir 5, y 99; 2: -4 < 0 lands on 0
  EXPECT_EQ(state(1), std::tuple(102.0, 99.0, 0.0));
  EXPECT_EQ(state(2), std::tuple(0.0, 54.0, 2.0));
  EXPECT_EQ(pass(e), 2u);  // 1: 105 > 100 lands on 100 and shows the first landing frame
  EXPECT_EQ(state(1), std::tuple(103.0, 100.0, 2.0));
  EXPECT_EQ(where(e, 2), std::make_pair(0.0, 56.0));
  e->sprite_animategetframeindex(1);
  EXPECT_EQ(std::pair(e->retx, e->rety), std::pair(0.0f, 1.0f));
  pass(e);  // x keeps moving; y stays
  EXPECT_EQ(where(e, 1), std::make_pair(104.0, 100.0));
  for (int frame = 0; frame < 20 && *e->sprite_getstatus(1) == 1; ++frame) pass(e);
  EXPECT_EQ(*e->sprite_getstatus(1), 0);  // the landing played once and switched it off
}

// A billboard flying in from the right towards x = 110 at -10 a unit, slowing by 1 a unit, to
// wait `delay` units and then leave through 0..640. It passes 141, 133, 126, 120, 115, 111 and
// then 108, which sets it on 110; leaving, the acceleration is -1: 110 - n (n + 1) / 2 after n units.
TEST(Billboards, ArriveWaitTheirDelayAndLeaveWithTheMirroredAcceleration) {
  for (const double delay : {-1.0, 50.0}) {
    SCOPED_TRACE(delay);
    sprites e;
    e.frame_at(1, 150, 50);
    e->sprite_enginebillboardx(1, -10, 0, 1, 0, 110, delay, 0, 640);
    EXPECT_FALSE(e->sprite_enginegetbillboardwaiting(1));
    std::vector<double> xs{141, 133, 126, 120, 115, 111, 110};
    xs.resize(7 + 50, 110);  // -1 waits for good
    for (int n = 1; delay > 0 && n <= 15; ++n) xs.push_back(110 - n * (n + 1) / 2);  // below 0 after 15
    for (size_t frame = 1; frame <= xs.size(); ++frame) {
      pass(e);
      EXPECT_EQ(e->sprite_getx(1), xs[frame - 1]) << frame;
      EXPECT_EQ(e->sprite_enginegetbillboardwaiting(1), frame >= 7 && (delay < 0 || frame < 57)) << frame;
    }
    EXPECT_EQ(*e->sprite_getstatus(1), delay < 0 ? 1 : 0);
    if (delay < 0) { EXPECT_EQ(e->sprite_enginegettype(1), 0); }
  }
  sprites e;
  e.frame_at(1, 50, 0);
  e->sprite_enginebillboardy(1, 0, 10, 0, 0, 35, 2, 0, 480);
  for (int frame = 1; frame <= 6; ++frame) {
    pass(e);  // 10, 20, 30, then 40 sets it on 35 to wait two units
    if (frame == 4) { EXPECT_EQ(where(e, 1), std::make_pair(50.0, 35.0)); }
    EXPECT_EQ(e->sprite_enginegetbillboardwaiting(1), frame == 4 || frame == 5) << frame;
  }
  e.frame_at(1, 150, 50);  // reaching the line exactly is not passing it: 140, 130, 120, 110, then arrived
  e->sprite_enginebillboardx(1, -10, 0, 0, 0, 110, 5, 0, 640);
  for (int frame = 1; frame <= 5; ++frame) {
    pass(e);
    EXPECT_EQ(e->sprite_enginegetbillboardwaiting(1), frame == 5) << frame;
  }
}

TEST(Button, ShowsItsThreeFramesAndReportsOneClickPerPressReleasedOverIt) {
  sprites e;
  e->sprite_enginebutton(3, 100, 100, 1, 0, 0, 40, 20);
  e->sprite_setscale(3, 1);
  e->sprite_setalpha(3, 255);
  // Each step: cursor x, button; then the frame row shown and the click read (twice).
  struct step { float x; int32_t button; double row, click; };
  const step steps[] = {{10, 0, 0, 0}, {120, 0, 1, 0}, {120, 1, 2, 0}, {120, 0, 1, 3}, {120, 0, 1, 0},
                        {120, 2, 2, 0}, {10, 2, 0, 0}, {120, 0, 1, 0}};  // pressed, moved away: no click
  e->mousey = 110;
  for (const step& s : steps) {
    e->mousex = s.x;
    e->mousebutton = s.button;
    pass(e);
    e->sprite_animategetframeindex(3);
    EXPECT_EQ(e->rety, s.row) << s.x << " " << s.button;
    EXPECT_EQ(e->sprite_enginegetbuttonclicked(), s.click);
    EXPECT_EQ(e->sprite_enginegetbuttonclicked(), 0);  // cleared by reading it
  }
}

}  // namespace
}  // namespace varnel2d
