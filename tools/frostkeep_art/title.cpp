// The title picture: the keep on its hill under an aurora, lit windows, snowy pines, and the
// game's name in frosted letters hung with icicles. The lower third stays calm for the menu text.
#include "art.hpp"

#include "canvas.hpp"
#include "image.hpp"
#include "sky.hpp"
#include "terrain.hpp"
#include "trees.hpp"

#include <cmath>

namespace art {
namespace {

using paint::hex;

struct Tower {
    double x, width, top, roof;
};

// The keep's silhouette standing on `base`: curtain walls between towers with pointed, snowy roofs.
void keep(cairo_t* cr, paint::Rng& rng, double base)
{
    const Tower towers[] = {{232, 34, 196, 34}, {284, 30, 214, 0}, {306, 44, 150, 52}, {362, 30, 210, 0},
                            {398, 36, 190, 36}};
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 140, 0, base);
    cairo_pattern_add_color_stop_rgb(body, 0, 0.10, 0.13, 0.24);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.04, 0.06, 0.12);
    // Curtain wall with battlements.
    cairo_rectangle(cr, 240, 232, 190, base - 232);
    for (double x = 240; x < 430; x += 10)
        cairo_rectangle(cr, x, 226, 6, 6);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    for (const Tower& t : towers) {
        cairo_rectangle(cr, t.x, t.top, t.width, base - t.top);
        if (t.roof <= 0)
            for (double x = t.x - 2; x < t.x + t.width; x += 8)
                cairo_rectangle(cr, x, t.top - 6, 5, 7);
        cairo_set_source(cr, body);
        cairo_fill(cr);
        if (t.roof > 0) {
            cairo_move_to(cr, t.x - 5, t.top);
            cairo_line_to(cr, t.x + t.width / 2, t.top - t.roof);
            cairo_line_to(cr, t.x + t.width + 5, t.top);
            cairo_close_path(cr);
            set_rgb(cr, 0x0B1020);
            cairo_fill(cr);
            // Snow on the roof's lit side.
            cairo_move_to(cr, t.x + t.width / 2, t.top - t.roof);
            cairo_line_to(cr, t.x - 5, t.top);
            cairo_line_to(cr, t.x + 2, t.top - 1);
            cairo_line_to(cr, t.x + t.width / 2 + 1, t.top - t.roof + 5);
            cairo_close_path(cr);
            set_rgb(cr, 0xC9D8F2, 0.9);
            cairo_fill(cr);
        } else {
            cairo_rectangle(cr, t.x - 2, t.top - 7, t.width + 2, 2);
            set_rgb(cr, 0xB8CAEA, 0.8);
            cairo_fill(cr);
        }
        // Warm windows in a few of the storeys.
        for (double y = t.top + 12; y < 300; y += 22)
            if (rng.chance(0.6)) {
                const double wx = t.x + t.width / 2 - 2.5;
                cairo_rectangle(cr, wx, y, 5, 8);
                set_rgb(cr, 0xFFC46B);
                cairo_fill(cr);
                light(cr, wx + 2.5, y + 4, 16, 0xFF9F45, 0.45);
            }
    }
    cairo_pattern_destroy(body);
    // The gate, lit from within.
    const double sill = 326;  // where the hill meets the gate
    cairo_move_to(cr, 316, sill);
    cairo_line_to(cr, 316, sill - 24);
    cairo_arc(cr, 328, sill - 24, 12, M_PI, 2 * M_PI);
    cairo_line_to(cr, 340, sill);
    cairo_close_path(cr);
    set_rgb(cr, 0xFFB55C, 0.9);
    cairo_fill(cr);
    light(cr, 328, sill - 10, 40, 0xFF9A3C, 0.5);
}

// The name in frosted capitals with a dark rim, a cold glow behind and icicles under each letter.
void logo(cairo_t* cr, paint::Rng& rng)
{
    const char* name = "FROSTKEEP";
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 76);
    cairo_text_extents_t e;
    cairo_text_extents(cr, name, &e);
    const double x = (640 - e.width) / 2 - e.x_bearing, baseline = 112;
    light(cr, 320, 86, 260, 0x4FA8FF, 0.25);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, name);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 7);
    set_rgb(cr, 0x06102A, 0.9);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, baseline - 60, 0, baseline + 4);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(p, 0.45, 0.82, 0.93, 1.0);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.55, 0.78, 0.98);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.30, 0.52, 0.90);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Icicles hanging from the letters' feet.
    for (double ix = x + 6; ix < x + e.width - 4; ix += rng.range(7, 15)) {
        const double len = rng.range(6, 20);
        cairo_move_to(cr, ix - 2.2, baseline - 1);
        cairo_line_to(cr, ix + 2.2, baseline - 1);
        cairo_line_to(cr, ix, baseline + len);
        cairo_close_path(cr);
        cairo_pattern_t* q = cairo_pattern_create_linear(0, baseline, 0, baseline + len);
        cairo_pattern_add_color_stop_rgba(q, 0, 0.75, 0.90, 1.0, 0.95);
        cairo_pattern_add_color_stop_rgba(q, 1, 0.95, 1.0, 1.0, 0.4);
        cairo_set_source(cr, q);
        cairo_fill(cr);
        cairo_pattern_destroy(q);
    }
    // A few glints on the letters.
    for (int i = 0; i < 5; ++i)
        light(cr, x + rng.range(0, e.width), baseline - rng.range(10, 55), 7, 0xFFFFFF, 0.9);
}

} // namespace

void paint_title(const std::string& folder)
{
    constexpr int W = 640, H = 480;
    paint::Canvas canvas(W, H);
    cairo_t* cr = canvas.cr();
    paint::Rng rng(2024);
    paint::fill_vertical(cr, 0, 0, W, H, 0, 330,
                         {{0.0, hex(0x030716)}, {0.5, hex(0x0A1838)}, {0.85, hex(0x1A3462)}, {1.0, hex(0x2B4A7E)}});
    paint::stars(canvas, rng, 330, 700, 1.0);
    paint::aurora(canvas, {150, 40, 120, hex(0x3CF0A0), hex(0x8A5CF0), 0.55, 77});
    paint::moon(canvas, 540, 150, 18, hex(0xF2F0E8), 160, 0.25);

    auto far = paint::ridge_line({300, 40, 260, 6, 0.5, 31}, W);
    paint::paint_ground(canvas, far,
                        {hex(0x1F2F52), hex(0x263A62), hex(0x8FA6CF), hex(0x3E5686), 30, -1, 0.7, hex(0x2E4A7C), 0.35, 60},
                        32);
    paint::haze_band(cr, W, 318, 40, hex(0x3A5A8E), 0.4);
    auto hill = paint::slope_line(W, 372, 368, -8);
    for (int x = 0; x <= W; ++x)
        hill[x] -= 42 * std::exp(-std::pow((x - 330) / 120.0, 2));
    keep(cr, rng, 420);
    paint::paint_ground(canvas, hill, paint::all_snow(hex(0xB4C6E8), hex(0x4A6196), -1, 0.6), 33);
    paint::PineLook pines{hex(0x07101C), hex(0x162A42), hex(0xBFD2F2), hex(0x52699A), 0.8, -1};
    paint::treeline(cr, rng, hill, -10, 200, 9, 30, 70, 6, pines);
    paint::treeline(cr, rng, hill, 460, W + 10, 9, 30, 70, 6, pines);
    auto near = paint::slope_line(W, 420, 410, -10);
    paint::paint_ground(canvas, near, paint::all_snow(hex(0xC9D7F2), hex(0x5A70A0), -1, 0.7), 34);
    paint::sparkle(canvas, rng, near, 120);
    paint::falling_snow(canvas, rng, 160, hex(0xF4F8FF));
    logo(cr, rng);
    paint::finish(canvas, 35, 2.5, 0.35);

    cairo_surface_flush(canvas.surface());
    paint::write_png(folder + "/title.png", paint::from_surface(canvas.surface()), false);
}

} // namespace art
