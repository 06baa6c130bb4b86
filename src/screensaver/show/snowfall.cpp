// Starting snowflakes: common soft flakes and the rare large spinning crystals.
#include "show/snowfall.h"

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/numbers.h>

namespace brisenfall {
namespace {

constexpr double START_Y = -100;

// The cosine-sway fall every flake gets; larger flakes fall faster.
void start_swaying_fall(Varnel_2D_Engine& engine, int32_t sprite, double flake_size) {
  const double diameter = engine.lib_getnumber(10, 90);
  const double sway_speed = engine.lib_getnumber(1, 10);
  const bool start_right = engine.lib_chance(50);
  engine.sprite_engineycos(sprite, 0.001 * flake_size + 0.045, diameter, sway_speed * 0.00001 + 0.001, -170, -250,
                           680, 480, start_right, 0);
}

void start_common_flake(Varnel_2D_Engine& engine, int32_t sprite) {
  const double flake_size = engine.lib_getnumber(1, 50);
  const double x = engine.lib_getnumber(-40, 640);
  engine.sprite_on(sprite, x, START_Y, COMMON_FLAKE_TEXTURE, 0, 0, 0, 0, 32, 32, true);
  start_swaying_fall(engine, sprite, flake_size);
  engine.sprite_setscale(sprite, 0.01 * flake_size + 0.125);
  engine.sprite_setalpha(sprite, engine.lib_getnumber(10, 255));
}

void start_large_flake(Varnel_2D_Engine& engine, int32_t sprite) {
  const double flake_size = engine.lib_getnumber(1, 50);
  const bool from_sheet = engine.lib_chance(70);
  const double x = engine.lib_getnumber(-40, 640);
  if (from_sheet) {
    const double column = engine.lib_getnumber(0, 1);
    const double row = engine.lib_getnumber(0, 1);
    engine.sprite_on(sprite, x, START_Y, CRYSTAL_SHEET_TEXTURE, 0, 0, column, row, 62, 62, true);
  } else {
    const double texture = engine.lib_getnumber(FIRST_CRYSTAL_TEXTURE, LAST_CRYSTAL_TEXTURE);
    engine.sprite_on(sprite, x, START_Y, texture, 0, 0, 0, 0, 64, 64, true);
  }
  start_swaying_fall(engine, sprite, flake_size);
  engine.sprite_setscale(sprite, 0.008 * flake_size + 0.25);
  engine.sprite_setalpha(sprite, engine.lib_getnumber(10, 255));
  const bool clockwise = engine.lib_chance(50);
  const double spin = 0.1 + 0.001 * engine.lib_getnumber(1, 50);
  engine.sprite_enginesetrotating(sprite, 0, clockwise ? spin : -spin, 0, 360, 0, 0);
}

}  // namespace

int16_t flakes_per_tick_for(int32_t snow_amount) { return varnel2d::to_int16(snow_amount / 100.0); }

void start_snowflakes(Varnel_2D_Engine& engine, const show_state& show) {
  for (int i = 0; i < show.flakes_per_tick; ++i) {
    const auto sprite = static_cast<int32_t>(engine.sprite_get1availablerange(2, show.snow_amount - 4));
    if (sprite < 1) continue;
    if (engine.lib_getnumber(1, 2) == 1 || !engine.lib_chance(2))
      start_common_flake(engine, sprite);
    else
      start_large_flake(engine, sprite);
  }
}

}  // namespace brisenfall
