// What is written on the screen: the score line in the bitmap font on a frosted strip, banners
// and panels in TrueType text, the high-score table, and the falling snow over everything.
#pragma once

#include <string>

#include "engine.h"

namespace frostkeep {

struct hud_values {
  int score = 0, lives = 0, crystals_left = 0, crystals_total = 0, keep_number = 1;
};

// Sets up the frosted strip (a tiler) and the snow (the starfield); `seed` makes the snow the same
// on every run.
void setup_hud(engine& e, uint64_t seed);
void draw_snow(engine& e);
void draw_hud(engine& e, const hud_values& v);
// Text in the bitmap font; x < 0 centres it across the screen.
void draw_letters(engine& e, const std::string& text, double x, double y, double alpha = 255);
// A dark, see-through rectangle to write on.
void draw_panel(engine& e, double x, double y, double width, double height, double alpha);
// A large line with a smaller one under it, centred on the screen.
void draw_banner(engine& e, const std::string& big, const std::string& small);
// The ten best, `highlight` (1..10, 0 for none) in gold, on a panel from `top` down.
void draw_high_scores(engine& e, double top, int highlight);

}  // namespace frostkeep
