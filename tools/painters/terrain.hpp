// The land: fractal ridgelines, ground layers with rock, snow and valley mist, haze bands,
// sparkle on snow and water or ice that mirrors what lies above it.
#pragma once

#include "canvas.hpp"
#include "noise.hpp"

#include <vector>

namespace paint {

// A ridgeline: `base` is its mean height, `amplitude` how far it rises and falls,
// `wavelength` the width of its largest features, `jagged` 0 for rolling hills, 1 for sharp peaks.
struct Ridge {
    double base, amplitude, wavelength;
    int octaves;
    double jagged;
    uint32_t seed;
};

// The ridgeline's y for every column 0 .. width (width + 1 values).
std::vector<double> ridge_line(const Ridge& r, int width);

// A straight or gently curved line from (0, y0) to (width, y1) with a sag in the middle.
std::vector<double> slope_line(int width, double y0, double y1, double sag);

// How a ground layer looks from its crest down to the bottom of the picture.
struct Ground {
    Rgb rock_top, rock_bottom;    // bare ground or forest colour near the crest and lower down
    Rgb snow_lit, snow_shade;     // snow facing the light and facing away from it
    double snow_depth;            // how far below the crest snow reaches; 1e9 for all snow
    double light;                 // -1 light from the left, +1 from the right, 0 flat light
    double texture;               // 0..1 strength of gullies, drifts and streaks
    Rgb mist;                     // colour the layer fades into
    double haze;                  // 0..1 aerial perspective over the whole layer
    double mist_depth;            // the layer fades into the mist over this many pixels (0: never)
};
void paint_ground(Canvas& canvas, const std::vector<double>& line, const Ground& g, uint32_t seed);

// A ground layer that is snow all over, without mist.
Ground all_snow(Rgb lit, Rgb shade, double light, double texture = 0.5);

// A soft horizontal band of the colour centred on y.
void haze_band(cairo_t* cr, double width, double y, double height, Rgb colour, double alpha);

// Single bright pixels on snow below the line, where the snow is already light.
void sparkle(Canvas& canvas, Rng& rng, const std::vector<double>& line, int count);

// Water or ice from `surface` down to `bottom`, mirroring the picture above the surface.
struct Water {
    double surface, bottom;
    Rgb tint;
    double tint_amount;   // 0..1 how much of the tint replaces the mirrored colour
    double darken;        // 0..1 multiplier of the mirrored light
    double ripple;        // sideways wobble of the mirror image in pixels
    double streaks;       // 0..1 pale horizontal streaks (ice scratches, snow drift, light on waves)
    Rgb streak_colour;
    uint32_t seed;
};
void water(Canvas& canvas, const Water& w);

} // namespace paint
