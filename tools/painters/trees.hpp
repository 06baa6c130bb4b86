// Trees: snow-laden pines (single or along a ridgeline) and bare birches with fine branches.
#pragma once

#include "colour.hpp"
#include "noise.hpp"

#include <cairo.h>
#include <vector>

namespace paint {

struct PineLook {
    Rgb body_dark, body_light;    // needles on the shaded and the lit side
    Rgb snow_lit, snow_shade;
    double snow;                  // 0..1 how much snow rests on the tiers
    double light;                 // -1 light from the left, +1 from the right
};

// A pine standing at (x, base), `height` tall: stacked irregular tiers with snow on their upper edges.
void pine(cairo_t* cr, Rng& rng, double x, double base, double height, const PineLook& look);

// Pines along a ground line from x0 to x1, about `spacing` apart, heights in hmin..hmax,
// rooted `sink` pixels below the line; drawn back to front.
void treeline(cairo_t* cr, Rng& rng, const std::vector<double>& line, double x0, double x1, double spacing,
              double hmin, double hmax, double sink, const PineLook& look);

struct BirchLook {
    Rgb bark, bark_shade, marks, twigs;
    Rgb frost;        // pale rim on the upper side of branches
    double frost_amount;
    double light;     // -1 light from the left, +1 from the right
};

// A birch at (x, base): a pale tapering trunk with dark marks and recursive fine branches.
void birch(cairo_t* cr, Rng& rng, double x, double base, double height, double width, const BirchLook& look);

// A soft shadow cast on the snow from (x, base): `length` long towards (dx, dy) per unit length.
void cast_shadow(cairo_t* cr, double x, double base, double length, double dx, double dy, double width, Rgb colour,
                 double alpha);

} // namespace paint
