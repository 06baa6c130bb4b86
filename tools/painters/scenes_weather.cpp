// Overcast and evening scenes: a cabin in falling snow, a valley road in the afternoon and a
// frozen lake at dusk.
#include "buildings.hpp"
#include "scenes.hpp"
#include "sky.hpp"
#include "terrain.hpp"
#include "trees.hpp"

#include <cmath>

namespace paint {

void cabin_snowfall(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    Rng rng(5001);
    fill_vertical(cr, 0, 0, W, H, 0, 300,
                  {{0.0, hex(0x7D8794)}, {0.6, hex(0xA9B0B9)}, {1.0, hex(0xCDD1D6)}});
    clouds(canvas, {0, 220, hex(0xD2D6DB), hex(0x7A838F), 0.75, 0.45, 220, 51});

    auto far = ridge_line({246, 34, 220, 5, 0.4, 52}, static_cast<int>(W));
    paint_ground(canvas, far,
                 {hex(0x8A949E), hex(0x98A1AA), hex(0xD8DCE0), hex(0xA0A8B2), 60, -1, 0.6, hex(0xBFC4CA), 0.55, 40},
                 53);
    PineLook misty{hex(0x818D94), hex(0x929DA4), hex(0xCCD2D7), hex(0xA5AEB6), 0.6, -1};
    treeline(cr, rng, far, -10, W + 10, 8, 14, 30, 8, misty);
    haze_band(cr, W, 268, 50, hex(0xC4C8CE), 0.6);

    auto mid = ridge_line({312, 12, 200, 4, 0.0, 54}, static_cast<int>(W));
    paint_ground(canvas, mid, all_snow(hex(0xE4E7EB), hex(0x9EA6B4), -1, 0.5), 55);
    PineLook middle{hex(0x3E4E4C), hex(0x5A6A66), hex(0xE0E4E8), hex(0x9AA4B0), 0.85, -1};
    treeline(cr, rng, mid, -10, 230, 11, 40, 80, 6, middle);
    treeline(cr, rng, mid, 420, W + 10, 11, 40, 90, 6, middle);
    haze_band(cr, W, 318, 30, hex(0xC8CCD2), 0.45);

    auto near = slope_line(static_cast<int>(W), 372, 392, -10);
    paint_ground(canvas, near, all_snow(hex(0xF4F5F7), hex(0xA2ABBB), -1, 0.6), 56);
    const Rgb warm = hex(0xFFAE48);
    House cabin{262, 384, 96, 72, 54, 46, hex(0x6B4A35), hex(0x4A3326), hex(0xF2F3F5), hex(0xA9B1BE), hex(0x2E2018),
                warm, 1.0, 30, true};
    smoke(cr, rng, 262 + 48 + 72 * 0.55, 384 - 54 - 46 - 40, 110, -40, hex(0xB4BAC2), 0.4);
    house(cr, rng, cabin);
    glow_ellipse(cr, 310, 392, 90, 2.4, warm, 0.22);
    // A trodden path from the door towards the viewer.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 310, 388);
    cairo_curve_to(cr, 300, 420, 250, 440, 236, 490);
    for (auto [width, alpha] : {std::pair{26.0, 0.12}, std::pair{14.0, 0.16}}) {
        cairo_set_line_width(cr, width);
        cairo_set_source_rgba(cr, 0.55, 0.6, 0.7, alpha);
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
    PineLook pines{hex(0x1E2A28), hex(0x3A4A44), hex(0xF4F6F8), hex(0xA0AAB8), 0.95, -1};
    pine(cr, rng, 208, 392, 150, pines);
    pine(cr, rng, 430, 398, 180, pines);
    pine(cr, rng, 470, 404, 120, pines);
    pine(cr, rng, 596, 476, 300, pines);
    fence(cr, rng, near, 10, 190, 34, 34, hex(0x4A3A30), hex(0xF4F5F7));
    sparkle(canvas, rng, near, 60);
    // Falling snow and the softness it puts over everything.
    cairo_set_source_rgba(cr, 0.85, 0.87, 0.9, 0.07);
    cairo_paint(cr);
    falling_snow(canvas, rng, 900, hex(0xFFFFFF));
    finish(canvas, 5002, 3, 0.3);
}

void valley_road(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    const int w = static_cast<int>(W);
    Rng rng(6001);
    fill_vertical(cr, 0, 0, W, H, 0, 300,
                  {{0.0, hex(0x3A68A4)}, {0.5, hex(0x8DB1D6)}, {0.85, hex(0xE6DCC8)}, {1.0, hex(0xF6D7A8)}});
    clouds(canvas, {40, 160, hex(0xFFF3E0), hex(0x93A3BE), 0.35, 0.6, 200, 61});
    // The sun has just gone behind the right-hand mountain.
    glow(cr, 520, 150, 200, hex(0xFFE0B0), 0.6);

    auto far = ridge_line({250, 46, 150, 6, 0.75, 62}, w);
    paint_ground(canvas, far,
                 {hex(0x7F8FB0), hex(0x8C9CBC), hex(0xFFF0DC), hex(0xA8B4D2), 60, -1, 0.8, hex(0xC8CCDA), 0.35, 40},
                 63);
    haze_band(cr, W, 290, 50, hex(0xE4DCD4), 0.45);
    // Two forested mountain sides closing the valley, left in sunlight, right in its own shadow.
    std::vector<double> left(static_cast<size_t>(w) + 1), right(static_cast<size_t>(w) + 1);
    for (int x = 0; x <= w; ++x) {
        double t = x / W;
        left[static_cast<size_t>(x)] = 120 + 230 * std::pow(t / 0.62, 1.5) + 18 * fbm1(x / 80.0, 64, 6);
        double u = (1 - t) / 0.55;
        right[static_cast<size_t>(x)] = 150 + 200 * std::pow(std::max(0.0, u), 1.5) + 16 * fbm1(x / 80.0, 66, 6);
    }
    PineLook pines{hex(0x16222E), hex(0x2E4050), hex(0xF6F2EA), hex(0x8090B8), 0.7, -1};
    PineLook shaded{hex(0x121C2A), hex(0x1E2C40), hex(0xC8D2EA), hex(0x6A78A4), 0.7, -1};
    paint_ground(canvas, right, all_snow(hex(0xCBD6EE), hex(0x6C7BA8), -1, 0.6), 67);
    for (double sink : {8.0, 40.0, 80.0, 130.0})
        treeline(cr, rng, right, 300, W + 10, 11 - sink / 30, 10 + sink / 8, 22 + sink / 5, sink, shaded);
    haze_band(cr, W, 330, 40, hex(0xD8D8E0), 0.4);
    paint_ground(canvas, left, all_snow(hex(0xFFF6EA), hex(0x98A0C8), -1, 0.6), 68);
    for (double sink : {8.0, 40.0, 80.0, 130.0})
        treeline(cr, rng, left, -10, 380, 11 - sink / 30, 10 + sink / 8, 22 + sink / 5, sink, pines);

    auto floor = ridge_line({336, 6, 160, 4, 0.0, 69}, w);
    paint_ground(canvas, floor, all_snow(hex(0xFBF6EE), hex(0x9AA6C8), -1, 0.6), 70);
    treeline(cr, rng, floor, -10, 250, 9, 16, 36, 4, pines);
    treeline(cr, rng, floor, 420, W + 10, 9, 16, 40, 4, shaded);
    // The road: a snowy lane winding from the viewer to the valley's end, with wheel tracks.
    auto centre = [](double t) { return 330 + 70 * std::sin(t * 3.2 + 0.6) * (1 - t); };
    auto half = [](double t) { return 150 * std::pow(1 - t, 1.3) + 2; };
    auto y_at = [](double t) { return 480 - 146 * (1 - std::pow(1 - t, 0.55)); };
    const int n = 80;
    cairo_move_to(cr, centre(0) - half(0), y_at(0));
    for (int i = 1; i <= n; ++i) {
        double t = static_cast<double>(i) / n;
        cairo_line_to(cr, centre(t) - half(t), y_at(t));
    }
    for (int i = n; i >= 0; --i) {
        double t = static_cast<double>(i) / n;
        cairo_line_to(cr, centre(t) + half(t), y_at(t));
    }
    cairo_close_path(cr);
    cairo_pattern_t* p = linear_gradient(0, 480, 0, 334, {{0, hex(0xC9CCDC)}, {1, hex(0xDCD6D8)}});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (double side : {-0.55, -0.3, 0.3, 0.55}) {
        cairo_move_to(cr, centre(0) + side * half(0), y_at(0));
        for (int i = 1; i <= n; ++i) {
            double t = static_cast<double>(i) / n;
            cairo_line_to(cr, centre(t) + side * half(t), y_at(t));
        }
        cairo_set_line_width(cr, 5);
        cairo_set_source_rgba(cr, 0.45, 0.5, 0.66, 0.35);
        cairo_stroke(cr);
    }
    // Snow banks along the edges of the road.
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, centre(0) + side * half(0), y_at(0));
        for (int i = 1; i <= n; ++i) {
            double t = static_cast<double>(i) / n;
            cairo_line_to(cr, centre(t) + side * half(t), y_at(t));
        }
        cairo_set_line_width(cr, 7);
        cairo_set_source_rgba(cr, 1, 0.99, 0.96, 0.85);
        cairo_stroke(cr);
    }
    // Fence posts along the right side, and pines growing larger towards the viewer.
    for (int i = 0; i < 9; ++i) {
        double t = std::pow(i / 9.0, 0.8);
        double x = centre(t) + half(t) * 1.25 + 10, y = y_at(t);
        double h = 8 + 52 * std::pow(1 - t, 1.6);
        cairo_set_source_rgb(cr, 0.24, 0.2, 0.2);
        cairo_rectangle(cr, x - h * 0.07, y - h, h * 0.14, h);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 0.98, 0.95);
        cairo_arc(cr, x, y - h, h * 0.1, M_PI, 2 * M_PI);
        cairo_fill(cr);
    }
    for (int i = 0; i < 7; ++i) {
        double t = 0.15 + 0.85 * i / 7.0;
        double x = centre(t) - half(t) * 1.4 - 16 - rng.range(0, 30) * (1 - t), y = y_at(t) + 4;
        pine(cr, rng, x, y, 14 + 170 * std::pow(1 - t, 1.8), pines);
    }
    pine(cr, rng, 600, 470, 220, pines);
    auto near = slope_line(w, 400, 400, 0);
    sparkle(canvas, rng, near, 260);
    finish(canvas, 6002, 3, 0.3);
}

void frozen_lake_dusk(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    const int w = static_cast<int>(W);
    Rng rng(7001);
    fill_vertical(cr, 0, 0, W, H, 0, 272,
                  {{0.0, hex(0x28335E)}, {0.38, hex(0x6C5380)}, {0.72, hex(0xE08850)}, {1.0, hex(0xFFC46E)}});
    glow_ellipse(cr, 390, 272, 260, 2.2, hex(0xFFA050), 0.5);
    clouds(canvas, {70, 210, hex(0xFFAE6E), hex(0x5A4868), 0.42, 0.75, 210, 71});
    stars(canvas, rng, 90, 60, 0.4);

    auto far = ridge_line({258, 16, 170, 5, 0.3, 72}, w);
    paint_ground(canvas, far,
                 {hex(0x3A3050), hex(0x40365A), hex(0xD09A90), hex(0x5A5076), 20, 1, 0.6, hex(0x8E6478), 0.25, 30},
                 73);
    PineLook dark{hex(0x17131F), hex(0x2C2234), hex(0xC08A86), hex(0x4A3E5E), 0.4, 1};
    treeline(cr, rng, far, -10, 250, 8, 10, 24, 8, dark);
    treeline(cr, rng, far, 500, W + 10, 8, 10, 28, 8, dark);
    water(canvas, {272, 420, hex(0x6E6A8E), 0.3, 0.82, 0, 0.75, hex(0xE2C8CC), 74});
    // The sun's path of light across the ice.
    glow_ellipse(cr, 390, 300, 150, 0.35, hex(0xFFB070), 0.4);

    auto bank = ridge_line({418, 12, 160, 5, 0.1, 75}, w);
    paint_ground(canvas, bank, all_snow(hex(0xF6CBA8), hex(0x6A679C), 1, 0.7), 76);
    // Dry reeds and snow-capped boulders on the near shore.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 70; ++i) {
        double x = rng.range(0, 190), y = bank[static_cast<size_t>(x)] + rng.range(0, 14);
        double h = rng.range(14, 46), lean = rng.range(-6, 10);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x, y - h * 0.5, x + lean * 0.5, y - h * 0.8, x + lean, y - h);
        cairo_set_line_width(cr, rng.range(0.6, 1.4));
        cairo_set_source_rgba(cr, 0.3, 0.22, 0.2, 0.85);
        cairo_stroke(cr);
    }
    for (double x : {270.0, 330.0, 470.0}) {
        double y = bank[static_cast<size_t>(x)] + 14, r = rng.range(10, 20);
        cairo_arc(cr, x, y, r, M_PI, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.2, 0.17, 0.24);
        cairo_fill(cr);
        cairo_arc(cr, x, y - r * 0.3, r * 0.92, M_PI * 1.05, M_PI * 1.95);
        cairo_set_source_rgb(cr, 0.96, 0.8, 0.7);
        cairo_fill(cr);
    }
    PineLook pines{hex(0x120E1A), hex(0x2E2230), hex(0xF6C6A4), hex(0x5E5888), 0.75, 1};
    pine(cr, rng, 580, 470, 260, pines);
    pine(cr, rng, 630, 450, 180, pines);
    sparkle(canvas, rng, bank, 120);
    finish(canvas, 7002, 3, 0.38);
}

} // namespace paint
