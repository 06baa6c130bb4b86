// Ridgelines, ground layers, haze, sparkle and mirroring water.
#include "terrain.hpp"

#include <cmath>

namespace paint {

std::vector<double> ridge_line(const Ridge& r, int width)
{
    std::vector<double> line(static_cast<size_t>(width) + 1);
    for (int x = 0; x <= width; ++x) {
        double u = x / r.wavelength;
        double soft = 0.5 + 0.5 * fbm1(u, r.seed, r.octaves, 0.48);
        double sharp = ridged1(u * 0.8, r.seed + 31, r.octaves);
        double shape = soft * (1 - r.jagged) + sharp * r.jagged;
        line[static_cast<size_t>(x)] = r.base - r.amplitude * (shape - 0.5) * 2;
    }
    return line;
}

std::vector<double> slope_line(int width, double y0, double y1, double sag)
{
    std::vector<double> line(static_cast<size_t>(width) + 1);
    for (int x = 0; x <= width; ++x) {
        double t = static_cast<double>(x) / width;
        line[static_cast<size_t>(x)] = y0 + (y1 - y0) * t + sag * 4 * t * (1 - t);
    }
    return line;
}

namespace {

double at(const std::vector<double>& line, int x)
{
    return line[static_cast<size_t>(std::clamp(x, 0, static_cast<int>(line.size()) - 1))];
}

} // namespace

void paint_ground(Canvas& canvas, const std::vector<double>& line, const Ground& g, uint32_t seed)
{
    Pixels px(canvas);
    const int w = canvas.width(), h = canvas.height();
    const bool field = g.snow_depth >= 1e8;
    for (int x = 0; x < w; ++x) {
        const double crest = at(line, x);
        const int ytop = std::max(0, static_cast<int>(std::floor(crest)));
        for (int y = ytop; y < h; ++y) {
            const double cover = clamp01(y + 1 - crest);
            const double depth = std::max(0.0, y + 0.5 - crest);
            // Which way the face turns: the crest's slope averaged over a window that widens
            // with depth, so faces are crisp under the crest and broad further down.
            const int r = 2 + static_cast<int>(depth * 0.45);
            const double slope = (at(line, x + r) - at(line, x - r)) / (2.0 * r);
            const double facing = std::clamp(slope * g.light * 1.6, -1.0, 1.0);
            // Rock: gullies running down the face. Snow: long low drifts.
            const double gx = x / 16.0, gy = y / 36.0;
            const double gully = fbm2(gx, gy, seed, 5);
            const double gully_dx = (fbm2(gx + 0.12, gy, seed, 4) - fbm2(gx - 0.12, gy, seed, 4)) * 2.0;
            const double dx = x / 170.0, dy = y / 30.0;
            const double drift_dy = (fbm2(dx, dy + 0.15, seed + 7, 4) - fbm2(dx, dy - 0.15, seed + 7, 4)) * 2.0;
            const double snow_light = clamp01(0.58 + 0.45 * facing - 0.9 * drift_dy * g.texture +
                                               (field ? 0.0 : 0.12 * gully_dx * g.light * g.texture));
            const double rock_light = clamp01(0.55 + 0.4 * facing - 0.45 * gully_dx * g.light * g.texture);
            double snow = 1.0;
            if (!field) {
                const double reach = g.snow_depth * (0.6 + 0.6 * (gully * 0.5 + 0.5));
                snow = 1.0 - smooth(reach * 0.75, reach * 1.05, depth);
                // Steep faces shed snow where the gullies say the rock stands out.
                snow = clamp01(snow - smooth(0.35, 0.7, std::fabs(facing)) * smooth(0.0, 0.45, gully) * g.texture);
            }
            const double depth_t = clamp01(depth / std::max(1.0, h - crest));
            Rgb rock = scale(mix(g.rock_top, g.rock_bottom, depth_t), 0.7 + 0.6 * rock_light);
            Rgb snowc = mix(g.snow_shade, g.snow_lit, snow_light);
            Rgb c = mix(rock, snowc, snow);
            const double mist = g.mist_depth > 0 ? smooth(0, g.mist_depth, depth) : 0.0;
            c = mix(c, g.mist, clamp01(g.haze + (1 - g.haze) * mist * 0.85));
            px.blend(x, y, c, cover);
        }
    }
}

Ground all_snow(Rgb lit, Rgb shade, double light, double texture)
{
    return {shade, shade, lit, shade, 1e9, light, texture, shade, 0.0, 0.0};
}

void haze_band(cairo_t* cr, double width, double y, double height, Rgb colour, double alpha)
{
    fill_vertical(cr, 0, y - height / 2, width, height, y - height / 2, y + height / 2,
                  {{0.0, colour, 0.0}, {0.35, colour, alpha * 0.75}, {0.5, colour, alpha},
                   {0.65, colour, alpha * 0.75}, {1.0, colour, 0.0}});
}

void sparkle(Canvas& canvas, Rng& rng, const std::vector<double>& line, int count)
{
    Pixels px(canvas);
    for (int i = 0; i < count; ++i) {
        int x = rng.below(canvas.width());
        double crest = at(line, x);
        int y = static_cast<int>(crest + 3 + rng.uniform() * (canvas.height() - crest - 3));
        if (!px.inside(x, y))
            continue;
        Rgb c = px.get(x, y);
        if (c.r + c.g + c.b < 1.7)
            continue;
        px.add(x, y, hex(0xFFFFFF), 0.5 + 0.5 * rng.uniform());
    }
}

void water(Canvas& canvas, const Water& wt)
{
    Pixels px(canvas);
    const int w = canvas.width();
    int y0 = static_cast<int>(std::ceil(wt.surface));
    int y1 = std::min(canvas.height(), static_cast<int>(wt.bottom));
    for (int y = y0; y < y1; ++y) {
        double d = y - wt.surface;
        // Further from the shore the mirror grows dimmer and the wobble wider.
        double fade = clamp01(d / std::max(1.0, wt.bottom - wt.surface));
        for (int x = 0; x < w; ++x) {
            double wobble = wt.ripple * (0.4 + fade) * fbm2(x / 60.0, y / 2.5, wt.seed, 3);
            int sx = std::clamp(static_cast<int>(x + wobble), 0, w - 1);
            int sy = std::clamp(static_cast<int>(wt.surface - d - 1), 0, y0 - 1);
            Rgb c = scale(px.get(sx, sy), wt.darken * (1 - 0.25 * fade));
            c = mix(c, wt.tint, wt.tint_amount);
            double streak = fbm2(x / 180.0, y / 1.6, wt.seed + 3, 4);
            double s = smooth(0.15, 0.7, streak) * wt.streaks;
            c = mix(c, wt.streak_colour, s * 0.55);
            px.set(x, y, c);
        }
    }
}

} // namespace paint
