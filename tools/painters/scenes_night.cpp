// Night scenes: a moonlit pine forest, a village in the blue hour, aurora over the hills and
// a starry night with the Milky Way over a ridge.
#include "buildings.hpp"
#include "scenes.hpp"
#include "sky.hpp"
#include "terrain.hpp"
#include "trees.hpp"

#include <cmath>

namespace paint {

void moonlit_forest(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    Rng rng(1001);
    fill_vertical(cr, 0, 0, W, H, 0, 300,
                  {{0.0, hex(0x040A1C)}, {0.45, hex(0x0C1F45)}, {0.8, hex(0x1E3C6C)}, {1.0, hex(0x34558A)}});
    stars(canvas, rng, 300, 650, 1.0);
    moon(canvas, 468, 92, 21, hex(0xF5F2E6), 230, 0.30);

    auto far = ridge_line({262, 38, 230, 6, 0.55, 11}, static_cast<int>(W));
    paint_ground(canvas, far,
                 {hex(0x25395E), hex(0x2E4670), hex(0x9DB4DA), hex(0x4A6392), 30, 1, 0.7, hex(0x3B5A8C), 0.3, 70},
                 12);
    haze_band(cr, W, 292, 50, hex(0x47679A), 0.45);

    auto mid = ridge_line({318, 16, 180, 5, 0.1, 13}, static_cast<int>(W));
    paint_ground(canvas, mid, all_snow(hex(0x8DA6D2), hex(0x3C5382), 1, 0.6), 14);
    PineLook far_pines{hex(0x0B1626), hex(0x1A2E45), hex(0x9FB7E0), hex(0x4D6590), 0.6, 1};
    treeline(cr, rng, mid, -10, W + 10, 7, 22, 62, 6, far_pines);
    haze_band(cr, W, 352, 40, hex(0x3D5C8E), 0.35);

    auto near = slope_line(static_cast<int>(W), 392, 372, -14);
    paint_ground(canvas, near, all_snow(hex(0xC3D4F2), hex(0x5870A3), 1, 0.7), 15);
    // Moonlight spilling across the clearing, and the trees' long shadows towards the viewer.
    glow_ellipse(cr, 430, 425, 210, 2.4, hex(0xD2DEFF), 0.16);
    PineLook pines{hex(0x08121E), hex(0x1B3048), hex(0xC8D8F5), hex(0x5C74A0), 0.8, 1};
    struct Tree {
        double x, base, h;
    };
    for (Tree t : {Tree{58, 470, 300}, Tree{140, 430, 200}, Tree{205, 400, 120}, Tree{590, 462, 280},
                   Tree{520, 418, 170}, Tree{470, 396, 95}}) {
        cast_shadow(cr, t.x, t.base, t.h * 0.55, -0.55, 1.0, t.h * 0.16, hex(0x1E2F5C), 0.55);
    }
    for (Tree t : {Tree{205, 400, 120}, Tree{470, 396, 95}, Tree{520, 418, 170}, Tree{140, 430, 200},
                   Tree{590, 462, 280}, Tree{58, 470, 300}}) {
        pine(cr, rng, t.x, t.base, t.h, pines);
    }
    sparkle(canvas, rng, near, 260);
    finish(canvas, 1002, 3, 0.38);
}

void village_evening(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    Rng rng(8001);
    fill_vertical(cr, 0, 0, W, H, 0, 260,
                  {{0.0, hex(0x0E1838)}, {0.45, hex(0x263F72)}, {0.8, hex(0x5D73A6)}, {1.0, hex(0xB49AB4)}});
    stars(canvas, rng, 200, 260, 0.7);
    moon(canvas, 96, 70, 9, hex(0xF6EEDA), 110, 0.22);
    auto far = ridge_line({238, 30, 200, 5, 0.4, 81}, static_cast<int>(W));
    paint_ground(canvas, far,
                 {hex(0x2C3D66), hex(0x34497A), hex(0x8194C2), hex(0x3E5082), 40, -1, 0.6, hex(0x6076A8), 0.3, 60},
                 82);
    haze_band(cr, W, 262, 40, hex(0x7A86B2), 0.35);

    // The village slope rises to the right.
    auto slope = slope_line(static_cast<int>(W), 318, 282, -8);
    paint_ground(canvas, slope, all_snow(hex(0x9CB0DA), hex(0x445A8E), -1, 0.6), 83);
    PineLook pines{hex(0x0B1528), hex(0x1C2E4A), hex(0xA8B9DE), hex(0x4A5D8C), 0.7, -1};
    treeline(cr, rng, slope, -10, W + 10, 16, 20, 44, 4, pines);

    const Rgb warm = hex(0xFFB25A);
    House back{0, 0, 26, 18, 18, 14, hex(0x5B4B5C), hex(0x3A3046), hex(0xC9D5F0), hex(0x7283B5), hex(0x2A2230),
               warm, 0.9, 14, true};
    for (double x : {40.0, 120.0, 250.0, 520.0}) {
        House h = back;
        h.x = x;
        h.base = slope[static_cast<size_t>(x)] + 6;
        house(cr, rng, h);
    }
    House nave{360, slope[380] + 8, 34, 40, 24, 18, hex(0x6E6470), hex(0x433B52), hex(0xCCD7F2), hex(0x7485B6),
               hex(0x2A2230), warm, 0.9, 14, false};
    church(cr, rng, nave, 92);

    auto middle = slope_line(static_cast<int>(W), 372, 352, 10);
    paint_ground(canvas, middle, all_snow(hex(0xA9BCE2), hex(0x4A6095), -1, 0.6), 84);
    House mid{0, 0, 52, 36, 34, 26, hex(0x7A4E3E), hex(0x4E3430), hex(0xD6E0F6), hex(0x7A8CBF), hex(0x2A1E1E),
              warm, 1.0, 22, true};
    for (double x : {150.0, 300.0, 470.0}) {
        House h = mid;
        h.x = x;
        h.base = middle[static_cast<size_t>(x)] + 8;
        h.front = x == 300.0 ? hex(0x5E6A7C) : mid.front;
        house(cr, rng, h);
        glow_ellipse(cr, x + 26, h.base + 6, 60, 2.2, warm, 0.22);
        smoke(cr, rng, x + 26 + 36 * 0.55, h.base - 34 - 26 - 10, 70, 30, hex(0x8E9AC0), 0.25);
    }
    treeline(cr, rng, middle, 230, 280, 14, 40, 70, 6, pines);
    treeline(cr, rng, middle, 560, 650, 14, 50, 90, 6, pines);

    auto near = slope_line(static_cast<int>(W), 428, 446, -12);
    paint_ground(canvas, near, all_snow(hex(0xBCCBEC), hex(0x52679C), -1, 0.7), 85);
    House big{-20, 470, 110, 70, 62, 46, hex(0x8A5A42), hex(0x5A3A30), hex(0xDDE6F8), hex(0x7D8FC2), hex(0x2A1E1E),
              warm, 1.0, 34, true};
    house(cr, rng, big);
    glow_ellipse(cr, 40, 474, 110, 2.0, warm, 0.3);
    smoke(cr, rng, 40 + 70 * 0.55, 470 - 62 - 46 - 14, 110, 50, hex(0x9AA6CA), 0.25);
    // A trodden path winding up between the houses, lit by the windows.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 330, 480);
    cairo_curve_to(cr, 360, 440, 250, 410, 320, 372);
    cairo_set_line_width(cr, 12);
    cairo_set_source_rgba(cr, 0.33, 0.40, 0.62, 0.35);
    cairo_stroke(cr);
    glow_ellipse(cr, 330, 440, 120, 1.8, warm, 0.1);
    PineLook near_pines{hex(0x08101E), hex(0x192A44), hex(0xC6D3F0), hex(0x526494), 0.85, -1};
    pine(cr, rng, 600, 478, 230, near_pines);
    pine(cr, rng, 545, 468, 150, near_pines);
    sparkle(canvas, rng, near, 180);
    finish(canvas, 8002, 3, 0.36);
}

void aurora_hills(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    Rng rng(9001);
    fill_vertical(cr, 0, 0, W, H, 0, 340,
                  {{0.0, hex(0x02060F)}, {0.55, hex(0x061726)}, {0.85, hex(0x0D2A3A)}, {1.0, hex(0x17394A)}});
    stars(canvas, rng, 340, 620, 0.9);
    aurora(canvas, {140, 40, 70, hex(0x7A5CFF), hex(0xD070FF), 0.45, 91});
    aurora(canvas, {230, 70, 120, hex(0x35FF95), hex(0x9A60FF), 0.95, 92});
    glow_ellipse(cr, 330, 300, 300, 2.0, hex(0x2FD08A), 0.10);

    auto far = ridge_line({322, 26, 190, 5, 0.2, 93}, static_cast<int>(W));
    paint_ground(canvas, far,
                 {hex(0x10232E), hex(0x142C38), hex(0x5E9C98), hex(0x1F3E4C), 36, -1, 0.6, hex(0x17343F), 0.2, 60},
                 94);
    haze_band(cr, W, 345, 30, hex(0x1F4A4A), 0.35);
    auto mid = ridge_line({372, 20, 240, 5, 0.05, 95}, static_cast<int>(W));
    paint_ground(canvas, mid, all_snow(hex(0x6FAAA2), hex(0x203F52), -1, 0.6), 96);
    PineLook pines{hex(0x030A10), hex(0x0C1C24), hex(0x7DB8AE), hex(0x2A4A58), 0.6, -1};
    treeline(cr, rng, mid, 380, 660, 9, 18, 52, 5, pines);
    treeline(cr, rng, mid, -10, 120, 10, 18, 40, 5, pines);

    House cabin{250, mid[262] + 5, 26, 18, 16, 12, hex(0x3C2C26), hex(0x271C1A), hex(0x9ACFC4), hex(0x2D5060),
                hex(0x140E0C), hex(0xFFB24E), 1.0, 16, true};
    house(cr, rng, cabin);
    glow_ellipse(cr, 263, cabin.base + 4, 34, 2.2, hex(0xFFB24E), 0.18);

    auto near = slope_line(static_cast<int>(W), 440, 420, 12);
    paint_ground(canvas, near, all_snow(hex(0x86C2B6), hex(0x284A5E), -1, 0.7), 97);
    // The aurora's green light lying on the snow.
    glow_ellipse(cr, 320, 470, 380, 1.8, hex(0x3DFF9A), 0.08);
    pine(cr, rng, 70, 476, 210, pines);
    pine(cr, rng, 20, 470, 150, pines);
    sparkle(canvas, rng, near, 200);
    finish(canvas, 9002, 3, 0.4);
}

void starry_ridge(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    Rng rng(10001);
    fill_vertical(cr, 0, 0, W, H, 0, 380,
                  {{0.0, hex(0x07051C)}, {0.45, hex(0x1C1648)}, {0.8, hex(0x3F2C6E)}, {1.0, hex(0x7A4A80)}});
    milky_way(canvas, rng, 80, 470, 600, -20, 62, 0.34);
    stars(canvas, rng, 380, 950, 1.1);
    // A shooting star.
    cairo_pattern_t* p = linear_gradient(470, 60, 540, 95, {{0, hex(0xFFFFFF), 0.0}, {1, hex(0xFFFFFF), 0.85}});
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, 470, 60);
    cairo_line_to(cr, 540, 95);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);

    auto far = ridge_line({372, 22, 150, 5, 0.6, 101}, static_cast<int>(W));
    paint_ground(canvas, far,
                 {hex(0x17142C), hex(0x1C1936), hex(0x534F86), hex(0x25234A), 18, 1, 0.6, hex(0x2A2450), 0.3, 50},
                 102);
    haze_band(cr, W, 390, 30, hex(0x3A2E5C), 0.3);
    // The main ridge climbs from the right to a rocky crest on the left.
    std::vector<double> ridge(static_cast<size_t>(W) + 1);
    for (int x = 0; x <= static_cast<int>(W); ++x) {
        double t = x / W;
        ridge[static_cast<size_t>(x)] = 300 + 110 * t * t + 16 * fbm1(x / 60.0, 103, 6) + 8 * ridged1(x / 25.0, 104, 3);
    }
    paint_ground(canvas, ridge, all_snow(hex(0x7A6CBA), hex(0x2E2862), 1, 0.35), 105);
    // A small tent glowing from inside, the one warm light under the stars.
    const double tx = 300, ty = ridge[300] + 34;
    glow_ellipse(cr, tx, ty, 70, 2.0, hex(0xFFA850), 0.28);
    cairo_move_to(cr, tx - 22, ty);
    cairo_line_to(cr, tx, ty - 24);
    cairo_line_to(cr, tx + 22, ty);
    cairo_close_path(cr);
    cairo_pattern_t* tent = linear_gradient(tx - 22, 0, tx + 22, 0, {{0, hex(0xFFB45C)}, {1, hex(0xC8642C)}});
    cairo_set_source(cr, tent);
    cairo_fill(cr);
    cairo_pattern_destroy(tent);
    cairo_move_to(cr, tx - 4, ty);
    cairo_line_to(cr, tx, ty - 14);
    cairo_line_to(cr, tx + 4, ty);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1.0, 0.9, 0.6);
    cairo_fill(cr);
    PineLook pines{hex(0x05040C), hex(0x0E0C1C), hex(0x6A6AA6), hex(0x2A2A50), 0.5, 1};
    for (double x : {40.0, 62.0, 150.0, 176.0, 188.0, 420.0, 446.0}) {
        double h = rng.range(40, 80);
        pine(cr, rng, x, ridge[static_cast<size_t>(x)] + 3, h, pines);
    }
    pine(cr, rng, 560, 478, 150, pines);
    pine(cr, rng, 600, 470, 100, pines);
    sparkle(canvas, rng, ridge, 160);
    finish(canvas, 10002, 3, 0.42);
}

} // namespace paint
