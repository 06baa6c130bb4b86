// Man-made things: houses and cabins with snow on the roof and warm windows, a church,
// chimney smoke, fences, and the boats and posts of a harbour.
#pragma once

#include "colour.hpp"
#include "noise.hpp"

#include <cairo.h>
#include <vector>

namespace paint {

// A house seen three-quarters on: a gable front `width` wide and a side wall `depth` deep
// going back to the right (depth > 0) or to the left (depth < 0).
struct House {
    double x, base, width, depth, wall, roof;   // x is the left edge of the gable front
    Rgb front, side, roof_snow, roof_shade, trim;
    Rgb window;            // warm window light
    double lit;            // 0 dark windows .. 1 bright glowing windows
    double glow;           // radius of the light spilling around lit windows
    bool chimney;
};
void house(cairo_t* cr, Rng& rng, const House& h);

// A small church: nave like a house and a slim tower with a pointed spire.
void church(cairo_t* cr, Rng& rng, const House& nave, double tower_height);

// A soft plume of smoke rising and drifting from (x, y).
void smoke(cairo_t* cr, Rng& rng, double x, double y, double height, double drift, Rgb colour, double alpha);

// Fence posts with snow caps along the ground line from x0 to x1, rails between them.
void fence(cairo_t* cr, Rng& rng, const std::vector<double>& line, double x0, double x1, double spacing,
           double height, Rgb wood, Rgb snow);

// A small moored boat with snow on its deck; the hull's waterline at (x, waterline).
void boat(cairo_t* cr, Rng& rng, double x, double waterline, double length, Rgb hull, Rgb snow, bool mast);

} // namespace paint
