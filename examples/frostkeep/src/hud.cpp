// Drawing the score line, banners, panels, the table and the snow.
#include "hud.h"

#include <cstdio>

#include "assets.h"
#include "sheet_layout.h"

namespace frostkeep {
namespace {

namespace L = layout;

constexpr int strip_tiler = 1, strip_height = 28;
constexpr int snow_flakes = 110;
constexpr const char* serif = "Liberation Serif";
constexpr const char* sans = "Liberation Sans";

// Source corner of tile `t` on the tile sheet.
double tile_x(int t) { return ((t - 1) % L::tiles_across) * L::pitch; }
double tile_y(int t) { return ((t - 1) / L::tiles_across) * L::pitch; }

// A small splitmix64, so that the snow does not depend on the engine's clock-seeded numbers.
uint64_t next(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}
double unit(uint64_t& state) { return static_cast<double>(next(state) >> 11) * 0x1.0p-53; }

}  // namespace

void setup_hud(engine& e, uint64_t seed) {
  e.tiler_config(strip_tiler, tiles_texture, tile_x(L::frost_panel), tile_y(L::frost_panel), L::cell, L::cell, 0, 0,
                 e.lib_getscreenwidth(), strip_height, 235);
  // Snowflakes: the soft round glow, shrunk to a few pixels, each at its own size and brightness.
  e.starfield_init(sprites_texture, L::glow_column * L::pitch, L::row_things * L::pitch, L::cell, L::cell, 1,
                   snow_flakes, -16, -16, e.lib_getscreenwidth() + 16, e.lib_getscreenheight() + 16);
  for (int i = 1; i <= snow_flakes; ++i)
    e.starfield_set(i, 120 + 110 * unit(seed), 0.12 + 0.25 * unit(seed), 0, -1, -1, -1, -1);
}

void draw_snow(engine& e) { e.starfield_draw(0.012, 0.07); }

void draw_letters(engine& e, const std::string& text, double x, double y, double alpha) {
  if (x < 0) x = (e.lib_getscreenwidth() - static_cast<double>(text.size()) * L::font_width) / 2;
  e.text_bitmap(text, font_texture, 0, 0, L::font_width, L::font_height, L::font_across, x, y, alpha, 0, 0, 0);
}

void draw_hud(engine& e, const hud_values& v) {
  e.tiler_draw(strip_tiler, -0.004, 0);
  e.texture_draw(tiles_texture, tile_x(L::white_block), 0, L::cell, 1, 0, strip_height, 120, 140, 190, 255, 0,
                 e.lib_getscreenwidth() / L::cell, 1, true, 0, 0, 0, 0, 0, 0);
  char line[64];
  std::snprintf(line, sizeof line, "SCORE %06d", v.score);
  draw_letters(e, line, 8, 4);
  std::snprintf(line, sizeof line, "KEEP %d  CRYSTALS %d/%d", v.keep_number, v.crystals_left, v.crystals_total);
  draw_letters(e, line, 196, 4);
  // One small lantern-bearer for each life left.
  for (int i = 0; i < v.lives; ++i)
    e.texture_draw(sprites_texture, 0, 0, L::cell, L::cell, 612 - i * 22, 14, 255, 255, 255, 255, 0, 0.7, 0.7, false,
                   0, 0, 0, 0, 0, 0);
}

void draw_panel(engine& e, double x, double y, double width, double height, double alpha) {
  e.texture_draw(tiles_texture, tile_x(L::white_block), tile_y(L::white_block), L::cell, L::cell, x, y, alpha, 8, 16,
                 38, 0, width / L::cell, height / L::cell, true, 0, 0, 0, 0, 0, 0);
  e.texture_draw(tiles_texture, tile_x(L::white_block), tile_y(L::white_block), L::cell, 1, x, y, alpha, 150, 200,
                 255, 0, width / L::cell, 2, true, 0, 0, 0, 0, 0, 0);
}

void draw_banner(engine& e, const std::string& big, const std::string& small) {
  draw_panel(e, 120, 170, 400, small.empty() ? 90 : 120, 170);
  e.text(120, 172, 400, 80, big, 0xFFE8F4FF, serif, 34, true, false, 2, 2, 2, 0xFF071026);
  if (!small.empty()) e.text(120, 236, 400, 40, small, 0xFFB8D4F0, sans, 14, false, false, 2, 1, 1, 0);
}

void draw_high_scores(engine& e, double top, int highlight) {
  draw_panel(e, 150, top, 340, 286, 185);
  e.text(150, top + 6, 340, 36, "Keepers of the Lantern", 0xFFE8F4FF, serif, 20, true, true, 2, 2, 2, 0);
  for (int place = 1; place <= 10; ++place) {
    const double y = top + 44 + (place - 1) * 23.5;
    const uint32_t colour = place == highlight ? 0xFFFFD36B : 0xFFDCE8F8;
    char number[8], score[16];
    std::snprintf(number, sizeof number, "%d.", place);
    std::snprintf(score, sizeof score, "%d", static_cast<int>(e.lib_highscoregetscore(place)));
    e.text(166, y, 34, 24, number, colour, sans, 13, true, false, 1, 1, 1, 0);
    e.text(212, y, 180, 24, e.lib_highscoregetname(place), colour, sans, 13, place == highlight, false, 0, 1, 1, 0);
    e.text(380, y, 94, 24, score, colour, sans, 13, true, false, 1, 1, 1, 0);
  }
}

}  // namespace frostkeep
