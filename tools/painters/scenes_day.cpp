// Morning and midday scenes: mountains at dawn, a harbour in the gold morning light and
// frosted birches under a white noon sun.
#include "buildings.hpp"
#include "scenes.hpp"
#include "sky.hpp"
#include "terrain.hpp"
#include "trees.hpp"

#include <cmath>

namespace paint {

void mountains_dawn(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    Rng rng(2001);
    fill_vertical(cr, 0, 0, W, H, 0, 270,
                  {{0.0, hex(0x2A2552)}, {0.4, hex(0x634A8A)}, {0.72, hex(0xD08AA4)}, {1.0, hex(0xFFCCA2)}});
    glow_ellipse(cr, 480, 262, 280, 2.0, hex(0xFFD6B0), 0.45);
    stars(canvas, rng, 110, 110, 0.35);
    clouds(canvas, {55, 175, hex(0xFFC0C0), hex(0x6E5690), 0.4, 0.6, 190, 21});

    auto peaks = ridge_line({205, 88, 160, 6, 0.85, 22}, static_cast<int>(W));
    paint_ground(canvas, peaks,
                 {hex(0x5E4F82), hex(0x7D6C9E), hex(0xFFD9D2), hex(0x9486BC), 80, 1, 0.9, hex(0xC7A0BE), 0.18, 120},
                 23);
    haze_band(cr, W, 282, 60, hex(0xE6B4C2), 0.45);

    auto mid = ridge_line({300, 42, 170, 6, 0.55, 24}, static_cast<int>(W));
    paint_ground(canvas, mid,
                 {hex(0x3A3361), hex(0x463F70), hex(0xEBC6D6), hex(0x6A629C), 44, 1, 0.8, hex(0x8676AA), 0.08, 90},
                 25);
    PineLook far_pines{hex(0x1E1A3A), hex(0x3A3262), hex(0xE0C0D8), hex(0x5E5890), 0.5, 1};
    treeline(cr, rng, mid, 0, 260, 12, 10, 22, 26, far_pines);
    haze_band(cr, W, 348, 44, hex(0xB794B8), 0.35);

    auto near = slope_line(static_cast<int>(W), 420, 368, -18);
    paint_ground(canvas, near, all_snow(hex(0xFBE2EA), hex(0x7B77B4), 1, 0.7), 27);
    glow_ellipse(cr, 520, 400, 220, 2.5, hex(0xFFD2B8), 0.18);
    PineLook pines{hex(0x1A1530), hex(0x3E3460), hex(0xFFE0E6), hex(0x6E68A4), 0.8, 1};
    for (double x : {30.0, 78.0, 560.0}) {
        cast_shadow(cr, x, near[static_cast<size_t>(x)] + 30, 120, -1.0, 0.22, 30, hex(0x4E4888), 0.45);
    }
    pine(cr, rng, 560, near[560] + 32, 140, pines);
    pine(cr, rng, 78, near[78] + 36, 190, pines);
    pine(cr, rng, 30, near[30] + 58, 260, pines);
    sparkle(canvas, rng, near, 260);
    finish(canvas, 2002, 3, 0.32);
}

namespace {

// A moored boat and its darker, wavering reflection below the waterline.
void moored_boat(Canvas& canvas, Rng& rng, double x, double waterline, double length, Rgb hull, Rgb snow, bool mast)
{
    cairo_t* cr = canvas.cr();
    Rng mirror_rng = rng;
    cairo_push_group(cr);
    cairo_translate(cr, 0, 2 * waterline + 2);
    cairo_scale(cr, 1, -1);
    boat(cr, mirror_rng, x, waterline, length, scale(hull, 0.6), scale(snow, 0.6), mast);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.35);
    boat(cr, rng, x, waterline, length, hull, snow, mast);
}

} // namespace

void harbour_morning(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    Rng rng(3001);
    fill_vertical(cr, 0, 0, W, H, 0, 252,
                  {{0.0, hex(0x5F84B4)}, {0.5, hex(0xB8B7B6)}, {0.8, hex(0xF0C98C)}, {1.0, hex(0xFFE0A2)}});
    clouds(canvas, {30, 170, hex(0xFFE4B4), hex(0x8E8598), 0.5, 0.75, 230, 31});
    sun(cr, 150, 214, 13, hex(0xFFF8E2), hex(0xFFC266), 240);

    auto far = ridge_line({222, 22, 210, 5, 0.25, 32}, static_cast<int>(W));
    paint_ground(canvas, far,
                 {hex(0x9C8C8C), hex(0xA89A98), hex(0xFFE6C0), hex(0xA89CB4), 60, -1, 0.6, hex(0xEBD2AC), 0.22, 40},
                 33);
    PineLook hill_pines{hex(0x6A6276), hex(0x8A7E86), hex(0xFFE8C8), hex(0xAEA2B4), 0.6, -1};
    treeline(cr, rng, far, 300, W + 10, 10, 8, 16, 10, hill_pines);
    // The far shore: a strip of snow and a row of small houses of varied size, with a church.
    auto shore = slope_line(static_cast<int>(W), 249, 246, -2);
    paint_ground(canvas, shore, all_snow(hex(0xFFEBCB), hex(0xA4A0B8), -1, 0.3), 34);
    const Rgb fronts[] = {hex(0xB0584A), hex(0xD9B26A), hex(0x6F8FA8), hex(0xE2DACB), hex(0x8C5A48), hex(0x5E7A62)};
    int i = 0;
    for (double x = 262; x < 640; x += rng.range(16, 34)) {
        House h{x, shore[static_cast<size_t>(x)] + 1, rng.range(11, 19), rng.range(6, 12) * (i % 3 == 2 ? -1 : 1),
                rng.range(8, 14), rng.range(5, 9), fronts[i % 6], scale(fronts[i % 6], 0.72), hex(0xFFF0D8),
                hex(0xB4A8B8), hex(0x4A3030), hex(0xFFD080), 0.0, 0, rng.chance(0.5)};
        if (i == 6)
            church(cr, rng, h, 36);
        else
            house(cr, rng, h);
        ++i;
    }
    water(canvas, {250, H, hex(0x3A5878), 0.28, 0.9, 5, 0.35, hex(0xFFE2A8), 35});
    // Sun glitter on the water.
    glow_ellipse(cr, 150, 310, 120, 0.28, hex(0xFFE2A0), 0.45);
    glow_ellipse(cr, 150, 270, 60, 0.4, hex(0xFFF2D0), 0.5);

    // Floes of ice drifting near the pier.
    for (int k = 0; k < 9; ++k) {
        double fy = rng.range(330, 470), fx = rng.range(-20, 360 - (fy - 300) * 0.3);
        double fw = 4 + (fy - 300) * 0.1 * rng.range(0.6, 1.4), fh = fw * rng.range(0.08, 0.13);
        cairo_save(cr);
        cairo_translate(cr, fx, fy);
        cairo_scale(cr, fw, fh);
        cairo_arc(cr, 0, 0.25, 1, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.42, 0.5, 0.62, 0.6);
        cairo_fill(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.9, 0.87, 0.84, 0.75);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    moored_boat(canvas, rng, 300, 318, 86, hex(0xA23A30), hex(0xFFF1DC), false);
    moored_boat(canvas, rng, 200, 355, 120, hex(0x2F5E7E), hex(0xFFF1DC), true);

    // A snowy pier in the foreground, right, with posts going down into the water.
    const Rgb wood = hex(0x3A2A24);
    cairo_move_to(cr, 330, 480);
    cairo_line_to(cr, 452, 392);
    cairo_line_to(cr, 640, 392);
    cairo_line_to(cr, 640, 480);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, wood.r, wood.g, wood.b);
    cairo_fill(cr);
    cairo_move_to(cr, 344, 470);
    cairo_line_to(cr, 456, 388);
    cairo_line_to(cr, 640, 386);
    cairo_line_to(cr, 640, 470);
    cairo_close_path(cr);
    cairo_pattern_t* p = linear_gradient(456, 388, 600, 480, {{0, hex(0xFFEFD6)}, {1, hex(0xB9B2CC)}});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (double t : {0.0, 0.33, 0.66, 1.0}) {
        double x = 456 - 112 * t, y = 388 + 82 * t;
        cairo_set_source_rgb(cr, wood.r, wood.g, wood.b);
        cairo_rectangle(cr, x - 5 - 3 * t, y - 22 - 12 * t, 10 + 6 * t, 36 + 20 * t);
        cairo_fill(cr);
        Rgb snow = hex(0xFFF2DE);
        cairo_set_source_rgb(cr, snow.r, snow.g, snow.b);
        cairo_arc(cr, x, y - 22 - 12 * t, 5 + 3 * t, M_PI, 2 * M_PI);
        cairo_fill(cr);
    }
    // A bollard with a coiled rope on the pier.
    cairo_set_source_rgb(cr, 0.16, 0.14, 0.16);
    cairo_rectangle(cr, 560, 400, 16, 26);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 1.0, 0.95, 0.88);
    cairo_arc(cr, 568, 400, 9, M_PI, 2 * M_PI);
    cairo_fill(cr);
    finish(canvas, 3002, 3, 0.3);
}

void birches_noon(Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double W = scene_width, H = scene_height;
    Rng rng(4001);
    fill_vertical(cr, 0, 0, W, H, 0, 240,
                  {{0.0, hex(0x3F7BC4)}, {0.55, hex(0x8DBAE8)}, {0.85, hex(0xCFE2F6)}, {1.0, hex(0xF0F6FC)}});
    glow(cr, 40, -30, 360, hex(0xFFFFFF), 0.55);
    clouds(canvas, {20, 140, hex(0xFFFFFF), hex(0xB6C8E0), 0.3, 0.55, 260, 41});

    auto far = ridge_line({232, 24, 220, 5, 0.3, 42}, static_cast<int>(W));
    paint_ground(canvas, far,
                 {hex(0x8EA4C0), hex(0x9DB2CC), hex(0xFFFFFF), hex(0xB8CBE4), 60, -1, 0.6, hex(0xDCE8F4), 0.35, 40},
                 43);
    PineLook far_pines{hex(0x6E8299), hex(0x8E9FB4), hex(0xF4F8FC), hex(0xB8C8DC), 0.7, -1};
    treeline(cr, rng, far, -10, W + 10, 8, 12, 26, 6, far_pines);
    haze_band(cr, W, 258, 40, hex(0xE8F0F8), 0.5);

    auto mid = slope_line(static_cast<int>(W), 300, 312, -10);
    paint_ground(canvas, mid, all_snow(hex(0xFFFFFF), hex(0xA8BEE0), -1, 0.7), 44);

    const BirchLook bark{hex(0xF2EFE8), hex(0xA9B0C2), hex(0x2A2628), hex(0x5A4A4C), hex(0xFFFFFF), 0.55, -1};
    struct Tree {
        double x, base, h, w;
    };
    const Tree trees[] = {{300, 318, 130, 5},  {345, 322, 150, 6},  {262, 326, 120, 5}, {420, 330, 170, 7},
                          {470, 340, 200, 8},  {180, 350, 230, 9},  {560, 372, 300, 11}, {95, 392, 360, 14},
                          {620, 440, 430, 17}, {24, 472, 480, 20}};
    for (const Tree& t : trees)
        cast_shadow(cr, t.x, t.base, t.h * 0.5, 1.0, 0.35, t.w * 1.4, hex(0x7E95CC), 0.5);
    auto near = slope_line(static_cast<int>(W), 420, 400, 14);
    for (const Tree& t : trees)
        birch(cr, rng, t.x, t.base, t.h, t.w, bark);
    // Light snow drifts around the foot of the near trees.
    for (const Tree& t : trees) {
        glow_ellipse(cr, t.x, t.base, t.w * 2.2, 2.0, hex(0xFFFFFF), 0.8);
    }
    sparkle(canvas, rng, near, 520);
    finish(canvas, 4002, 2.5, 0.25);
}

} // namespace paint
