// The tile sheet: flagstone floors, snow-topped walls and their brick faces, torches, crystals,
// pillars and the rune circle of the exit, each 32 x 32 and seamless where it repeats.
#include "art.hpp"
#include "sheet_grid.hpp"

#include "../../examples/frostkeep/src/sheet_layout.h"
#include "noise.hpp"

#include <cmath>

namespace art {
namespace {

namespace L = frostkeep::layout;
constexpr int S = L::cell;

void fill(cairo_t* cr, unsigned hex, double alpha = 1.0)
{
    set_rgb(cr, hex, alpha);
    cairo_fill(cr);
}

// Per-pixel grain: light or dark single pixels of the given strength.
void grain(cairo_t* cr, paint::Rng& rng, double strength, int x0 = 0, int y0 = 0, int x1 = S, int y1 = S)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const double v = rng.range(-1, 1) * strength;
            cairo_rectangle(cr, x, y, 1, 1);
            cairo_set_source_rgba(cr, v > 0 ? 1 : 0, v > 0 ? 1 : 0, v > 0 ? 1 : 0, std::abs(v));
            cairo_fill(cr);
        }
}

// Flagstones in a running bond, each a little different, with bevelled edges and frost in the joints.
void flagstones(cairo_t* cr, uint64_t seed)
{
    paint::Rng rng(seed);
    cairo_rectangle(cr, 0, 0, S, S);
    fill(cr, 0x1A2133);
    const unsigned tones[] = {0x3A4763, 0x34405A, 0x3E4B66, 0x313C55};
    for (int row = 0; row < 2; ++row)
        for (int k = -1; k < 2; ++k) {
            const double x = k * 16 + (row ? 8 : 0), y = row * 16;
            cairo_rectangle(cr, x + 1, y + 1, 14, 14);
            fill(cr, tones[rng.below(4)]);
            cairo_rectangle(cr, x + 1, y + 1, 14, 1);
            cairo_rectangle(cr, x + 1, y + 1, 1, 14);
            fill(cr, 0x8095BA, 0.35);
            cairo_rectangle(cr, x + 1, y + 14, 14, 1);
            cairo_rectangle(cr, x + 14, y + 1, 1, 14);
            fill(cr, 0x0E1322, 0.45);
        }
    grain(cr, rng, 0.07);
    for (int i = 0; i < 7; ++i) {
        cairo_rectangle(cr, rng.below(S), rng.below(S), 1, 1);
        fill(cr, 0xDDEBFF, 0.55);
    }
}

void crack(cairo_t* cr, paint::Rng& rng, double x, double y, int steps)
{
    cairo_move_to(cr, x, y);
    for (int i = 0; i < steps; ++i) {
        x += rng.range(1.5, 4);
        y += rng.range(-2.5, 2.5);
        cairo_line_to(cr, x, y);
    }
    set_rgb(cr, 0x0E1322, 0.8);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// A thin, even dusting of snow: a pale veil, fine flakes and a few soft streaks, so that many
// of these tiles side by side show no pattern.
void snow_dust(cairo_t* cr, paint::Rng& rng)
{
    cairo_rectangle(cr, 0, 0, S, S);
    fill(cr, 0xDCE8FF, 0.22);
    for (int i = 0; i < 3; ++i) {
        const double y = rng.range(3, 29), x = rng.range(-6, 20);
        ellipse(cr, x + 6, y, rng.range(5, 9), 1.6);
        fill(cr, 0xF4F8FF, 0.35);
    }
    for (int i = 0; i < 40; ++i) {
        cairo_rectangle(cr, rng.below(S), rng.below(S), 1, 1);
        fill(cr, 0xFFFFFF, rng.range(0.3, 0.8));
    }
}

void ice(cairo_t* cr, uint64_t seed)
{
    paint::Rng rng(seed);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, S, S);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.62, 0.82, 0.93);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.42, 0.64, 0.84);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, 0, S, S);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (int i = 0; i < 3; ++i) {
        const double o = rng.range(-8, 30);
        cairo_move_to(cr, o, 0);
        cairo_line_to(cr, o + 10, 0);
        cairo_line_to(cr, o - 22, S);
        cairo_line_to(cr, o - 28, S);
        fill(cr, 0xFFFFFF, 0.16);
    }
    crack(cr, rng, 2, rng.range(8, 24), 7);
    grain(cr, rng, 0.03);
}

// The snowy top of a wall seen from above.
void wall_top(cairo_t* cr, uint64_t seed)
{
    paint::Rng rng(seed);
    cairo_rectangle(cr, 0, 0, S, S);
    fill(cr, 0x8EA2C6);
    for (int i = 0; i < 6; ++i) {
        const double x = rng.range(0, S), y = rng.range(0, S), r = rng.range(6, 12);
        cairo_pattern_t* p = cairo_pattern_create_radial(x - 2, y - 2, 0, x, y, r);
        cairo_pattern_add_color_stop_rgba(p, 0, 0.93, 0.96, 1, 0.75);
        cairo_pattern_add_color_stop_rgba(p, 1, 0.80, 0.86, 0.97, 0);
        cairo_set_source(cr, p);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    grain(cr, rng, 0.04);
    for (int i = 0; i < 5; ++i) {
        cairo_rectangle(cr, rng.below(S), rng.below(S), 1, 1);
        fill(cr, 0xFFFFFF);
    }
}

// The front of a wall: ice-blue stone bricks under a lip of snow with icicles, dark at its foot.
void wall_face(cairo_t* cr, uint64_t seed)
{
    paint::Rng rng(seed);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, S);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.36, 0.45, 0.61);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.17, 0.22, 0.33);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, 0, S, S);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (int row = 0; row < 4; ++row) {
        const double y = 4 + row * 7;
        cairo_rectangle(cr, 0, y, S, 1);
        fill(cr, 0x121A2B, 0.8);
        for (int k = 0; k < 3; ++k) {
            const double x = k * 12 + (row % 2 ? 6 : 0);
            cairo_rectangle(cr, x, y + 1, 1, 6);
            fill(cr, 0x121A2B, 0.8);
            cairo_rectangle(cr, x + 1, y + 1, 10, 1);
            fill(cr, 0xA9BCDD, 0.25);
        }
    }
    grain(cr, rng, 0.06, 0, 4, S, S);
    // Snow lip and icicles.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, S, 0);
    for (int x = S; x >= 0; x -= 4)
        cairo_line_to(cr, x, 4 + rng.range(0, 2));
    cairo_close_path(cr);
    fill(cr, 0xEAF2FF);
    for (int i = 0; i < 4; ++i) {
        const double x = rng.range(2, 30), len = rng.range(3, 9);
        cairo_move_to(cr, x - 1.3, 4);
        cairo_line_to(cr, x + 1.3, 4);
        cairo_line_to(cr, x, 4 + len);
        cairo_close_path(cr);
        fill(cr, 0xD6F0FF, 0.9);
    }
    cairo_rectangle(cr, 0, S - 3, S, 3);
    fill(cr, 0x05080F, 0.45);
}

void torch(cairo_t* cr, int frame)
{
    wall_face(cr, 90);
    const double sway[] = {0, 1, -0.5, -1}, tall[] = {0, 1.5, 0.5, 2};
    light(cr, 16, 13, 16, 0xFF9A3C, 0.45 + 0.08 * (frame % 2));
    cairo_rectangle(cr, 14.5, 17, 3, 8);
    fill(cr, 0x2B2119);
    cairo_move_to(cr, 11, 15);
    cairo_line_to(cr, 21, 15);
    cairo_line_to(cr, 19, 19);
    cairo_line_to(cr, 13, 19);
    cairo_close_path(cr);
    fill(cr, 0x463426);
    const double s = sway[frame], t = tall[frame];
    cairo_move_to(cr, 12, 15);
    cairo_curve_to(cr, 11, 11, 15 + s, 9, 16 + s, 4 - t);
    cairo_curve_to(cr, 17 + s, 9, 21, 11, 20, 15);
    cairo_close_path(cr);
    fill(cr, 0xFF7A1C);
    cairo_move_to(cr, 14, 15);
    cairo_curve_to(cr, 13.5, 12, 16 + s * 0.6, 11, 16 + s * 0.6, 8 - t * 0.5);
    cairo_curve_to(cr, 17, 11, 18.5, 12, 18, 15);
    cairo_close_path(cr);
    fill(cr, 0xFFE27A);
}

// A cluster of ice crystals on the floor; `glint` 0..3 moves a shine over the facets.
void crystals(cairo_t* cr, int glint)
{
    flagstones(cr, 11);
    light(cr, 16, 20, 15, 0x7FE0FF, 0.35);
    struct Prism { double x, base, w, h, lean; unsigned a, b; };
    const Prism prisms[] = {{10, 26, 6, 13, -0.25, 0x9BE7FF, 0x3F8FD0},
                            {22, 26, 6, 12, 0.3, 0xC8B5FF, 0x6A56C9},
                            {16, 27, 8, 19, 0.0, 0xD8F6FF, 0x4AA3E0}};
    ellipse(cr, 16, 27, 11, 2.5);
    fill(cr, 0x000000, 0.35);
    for (const Prism& p : prisms) {
        const double tipx = p.x + p.lean * p.h, tipy = p.base - p.h;
        cairo_move_to(cr, p.x - p.w / 2, p.base);
        cairo_line_to(cr, p.x - p.w / 2 + p.lean * p.h * 0.8, tipy + 3);
        cairo_line_to(cr, tipx, tipy);
        cairo_line_to(cr, p.x + p.w / 2 + p.lean * p.h * 0.8, tipy + 3);
        cairo_line_to(cr, p.x + p.w / 2, p.base);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(p.x - p.w / 2, 0, p.x + p.w / 2, 0);
        const unsigned a = p.a, b = p.b;
        cairo_pattern_add_color_stop_rgb(g, 0, ((a >> 16) & 255) / 255.0, ((a >> 8) & 255) / 255.0, (a & 255) / 255.0);
        cairo_pattern_add_color_stop_rgb(g, 1, ((b >> 16) & 255) / 255.0, ((b >> 8) & 255) / 255.0, (b & 255) / 255.0);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        set_rgb(cr, 0x1B3768, 0.9);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_move_to(cr, p.x + p.lean * p.h * 0.4, p.base - 1);
        cairo_line_to(cr, tipx, tipy + 1);
        set_rgb(cr, 0xFFFFFF, 0.6);
        cairo_stroke(cr);
    }
    if (glint > 0) {
        const double gx[] = {0, 16, 10, 21}, gy[] = {0, 10, 16, 17};
        light(cr, gx[glint], gy[glint], 5, 0xFFFFFF, 0.95);
        cairo_move_to(cr, gx[glint] - 4, gy[glint]);
        cairo_line_to(cr, gx[glint] + 4, gy[glint]);
        cairo_move_to(cr, gx[glint], gy[glint] - 4);
        cairo_line_to(cr, gx[glint], gy[glint] + 4);
        set_rgb(cr, 0xFFFFFF);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// The exit: a carved rune circle, dark while crystals remain, glowing once all are taken.
void rune_circle(cairo_t* cr, bool open)
{
    flagstones(cr, 12);
    if (open)
        light(cr, 16, 16, 16, 0x6FE8FF, 0.7);
    const unsigned ink = open ? 0xCFFBFF : 0x1C2436;
    cairo_set_line_width(cr, 1.6);
    cairo_arc(cr, 16, 16, 12, 0, 2 * M_PI);
    set_rgb(cr, ink, open ? 1.0 : 0.9);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, 16, 16, 8.5, 0, 2 * M_PI);
    cairo_stroke(cr);
    for (int k = 0; k < 6; ++k) {
        const double a = k * M_PI / 3;
        cairo_move_to(cr, 16 + std::cos(a) * 2, 16 + std::sin(a) * 2);
        cairo_line_to(cr, 16 + std::cos(a) * 8.5, 16 + std::sin(a) * 8.5);
        cairo_move_to(cr, 16 + std::cos(a + 0.26) * 10, 16 + std::sin(a + 0.26) * 10);
        cairo_line_to(cr, 16 + std::cos(a + 0.1) * 11.3, 16 + std::sin(a + 0.1) * 11.3);
    }
    cairo_stroke(cr);
    if (!open) {
        cairo_arc(cr, 16, 16, 12.8, 0, 2 * M_PI);
        set_rgb(cr, 0x8095BA, 0.3);
        cairo_stroke(cr);
    }
}

// A stone column seen from above: a dark octagonal crown with a carved ring and snow on its top.
void pillar(cairo_t* cr)
{
    flagstones(cr, 13);
    ellipse(cr, 18.5, 19.5, 13, 11);
    fill(cr, 0x000000, 0.45);
    for (int k = 0; k < 8; ++k) {
        const double a = (k + 0.5) * M_PI / 4;
        cairo_line_to(cr, 16 + std::cos(a) * 13, 16 + std::sin(a) * 13);
    }
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(4, 4, 28, 28);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.42, 0.50, 0.66);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.16, 0.20, 0.31);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    set_rgb(cr, 0x0B101C);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, 16, 16, 8.5, 0, 2 * M_PI);
    set_rgb(cr, 0x0E1526, 0.8);
    cairo_stroke(cr);
    ellipse(cr, 14.5, 14, 5.5, 4.5);
    fill(cr, 0xE4EEFF, 0.85);
    light(cr, 13, 12, 5, 0xFFFFFF, 0.5);
}

void banner(cairo_t* cr)
{
    wall_face(cr, 91);
    cairo_move_to(cr, 9, 6);
    cairo_line_to(cr, 23, 6);
    cairo_line_to(cr, 23, 27);
    cairo_line_to(cr, 16, 23);
    cairo_line_to(cr, 9, 27);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(9, 0, 23, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.10, 0.18);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.30, 0.05, 0.12);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_rectangle(cr, 8, 5, 16, 2);
    fill(cr, 0xC9A24A);
    cairo_set_line_width(cr, 1.1);
    for (int k = 0; k < 3; ++k) {
        const double a = k * M_PI / 3;
        cairo_move_to(cr, 16 + std::cos(a) * 5, 14 + std::sin(a) * 5);
        cairo_line_to(cr, 16 - std::cos(a) * 5, 14 - std::sin(a) * 5);
    }
    set_rgb(cr, 0xF0D27A);
    cairo_stroke(cr);
}

void frost_panel(cairo_t* cr)
{
    paint::Rng rng(21);
    cairo_rectangle(cr, 0, 0, S, S);
    fill(cr, 0x0E1A33);
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 5; ++i) {
        double x = rng.range(0, S), y = rng.range(0, S), a = rng.range(0, 2 * M_PI);
        for (int s = 0; s < 6; ++s) {
            const double nx = x + std::cos(a) * 4, ny = y + std::sin(a) * 4;
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, nx, ny);
            cairo_move_to(cr, (x + nx) / 2, (y + ny) / 2);
            cairo_line_to(cr, (x + nx) / 2 + std::cos(a + 1) * 2, (y + ny) / 2 + std::sin(a + 1) * 2);
            x = nx;
            y = ny;
            a += rng.range(-0.6, 0.6);
        }
    }
    set_rgb(cr, 0x6F93C8, 0.45);
    cairo_stroke(cr);
}

} // namespace

void paint_tiles(const std::string& folder)
{
    GridSheet sheet(L::tiles_across, L::tiles_down, S, S);
    auto at = [&](int tile, const std::function<void(cairo_t*)>& draw) {
        sheet.in_cell((tile - 1) % L::tiles_across, (tile - 1) / L::tiles_across, draw);
    };
    at(L::floor_a, [](cairo_t* cr) { flagstones(cr, 1); });
    at(L::floor_b, [](cairo_t* cr) { flagstones(cr, 2); });
    at(L::floor_snow, [](cairo_t* cr) {
        flagstones(cr, 3);
        paint::Rng rng(33);
        snow_dust(cr, rng);
    });
    at(L::floor_ice, [](cairo_t* cr) { ice(cr, 4); });
    at(L::exit_closed, [](cairo_t* cr) { rune_circle(cr, false); });
    at(L::exit_open, [](cairo_t* cr) { rune_circle(cr, true); });
    at(L::floor_cracked, [](cairo_t* cr) {
        flagstones(cr, 7);
        paint::Rng rng(77);
        crack(cr, rng, 1, 9, 8);
        crack(cr, rng, 12, 24, 5);
    });
    at(L::white_block, [](cairo_t* cr) {
        cairo_rectangle(cr, 0, 0, S, S);
        fill(cr, 0xFFFFFF);
    });
    at(L::wall_top, [](cairo_t* cr) { wall_top(cr, 9); });
    at(L::wall_face, [](cairo_t* cr) { wall_face(cr, 10); });
    at(L::wall_banner, banner);
    at(L::pillar, pillar);
    for (int k = 0; k < 4; ++k)
        at(L::torch_first + k, [k](cairo_t* cr) { torch(cr, k); });
    for (int k = 0; k < 4; ++k)
        at(L::crystal_first + k, [k](cairo_t* cr) { crystals(cr, k); });
    at(L::frost_panel, frost_panel);
    at(L::wall_top_snow, [](cairo_t* cr) { wall_top(cr, 22); });
    at(L::wall_face_ice, [](cairo_t* cr) {
        wall_face(cr, 23);
        cairo_rectangle(cr, 0, 5, S, 24);
        set_rgb(cr, 0x9FD8FF, 0.28);
        cairo_fill(cr);
        cairo_move_to(cr, 4, 6);
        cairo_line_to(cr, 12, 6);
        cairo_line_to(cr, 2, 28);
        set_rgb(cr, 0xFFFFFF, 0.18);
        cairo_fill(cr);
    });
    at(L::floor_rune, [](cairo_t* cr) {
        flagstones(cr, 24);
        cairo_set_line_width(cr, 1.0);
        for (int k = 0; k < 3; ++k) {
            const double a = k * M_PI / 3;
            cairo_move_to(cr, 16 + std::cos(a) * 9, 16 + std::sin(a) * 9);
            cairo_line_to(cr, 16 - std::cos(a) * 9, 16 - std::sin(a) * 9);
        }
        set_rgb(cr, 0x8FB0DD, 0.45);
        cairo_stroke(cr);
    });
    sheet.save(folder + "/tiles.png");
}

} // namespace art
