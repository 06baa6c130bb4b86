// The sky layer: stars, moon, sun, clouds, the Milky Way and aurora curtains.
#pragma once

#include "canvas.hpp"
#include "noise.hpp"

namespace paint {

// Stars above `horizon`, fading towards it: mostly faint single pixels, a few bright ones with
// a soft glow, some gathered in loose clusters. `brightness` scales them all.
void stars(Canvas& canvas, Rng& rng, double horizon, int count, double brightness);

// A moon disc with soft grey maria and an antialiased rim, inside a wide halo.
void moon(Canvas& canvas, double x, double y, double radius, Rgb colour, double halo_radius, double halo_alpha);

// A low sun: a bright core with a warm halo.
void sun(cairo_t* cr, double x, double y, double radius, Rgb core, Rgb halo, double halo_radius);

// Soft cloud banks between y0 and y1: stretched fractal noise blended over the sky.
struct Clouds {
    double y0, y1;
    Rgb lit, shade;
    double cover;     // 0..1, how much of the band is cloud
    double alpha;     // opacity of the densest cloud
    double stretch;   // horizontal feature size in pixels
    uint32_t seed;
};
void clouds(Canvas& canvas, const Clouds& c);

// A diagonal band of faint light and dense small stars from (x0, y0) to (x1, y1); `strength` 0..1.
void milky_way(Canvas& canvas, Rng& rng, double x0, double y0, double x1, double y1, double width, double strength);

// Aurora curtains: bright lower edges along a wandering line near `base`, light fading upward
// over `height` pixels, green below and violet towards the top.
struct Aurora {
    double base, sway, height;
    Rgb low, high;
    double strength;
    uint32_t seed;
};
void aurora(Canvas& canvas, const Aurora& a);

// Snow falling in front of everything: soft dots of varied size and opacity.
void falling_snow(Canvas& canvas, Rng& rng, int count, Rgb colour);

} // namespace paint
