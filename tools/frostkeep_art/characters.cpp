// The sprite sheet: the lantern-bearer walking four ways and freezing, the wisp, the bat, the
// snowball, the sparkle of a taken crystal and two soft lights; and the animation file that
// names their frames.
#include "art.hpp"
#include "sheet_grid.hpp"

#include "../../examples/frostkeep/src/sheet_layout.h"

#include <cmath>

namespace art {
namespace {

namespace L = frostkeep::layout;

enum class Facing { down, up, left, right };

void fill(cairo_t* cr, unsigned hex, double alpha = 1.0)
{
    set_rgb(cr, hex, alpha);
    cairo_fill(cr);
}

// A vertical or horizontal two-colour gradient as the source.
void gradient(cairo_t* cr, double x0, double y0, double x1, double y1, unsigned a, unsigned b)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    for (auto [at, hex] : {std::pair{0.0, a}, std::pair{1.0, b}})
        cairo_pattern_add_color_stop_rgb(p, at, ((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0,
                                         (hex & 0xFF) / 255.0);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void lantern(cairo_t* cr, double x, double y)
{
    set_rgb(cr, 0x3B2A1A);
    cairo_set_line_width(cr, 0.9);
    cairo_move_to(cr, x, y - 3.2);
    cairo_line_to(cr, x, y - 1.8);
    cairo_stroke(cr);
    cairo_rectangle(cr, x - 2.2, y - 1.8, 4.4, 5.2);
    fill(cr, 0x4A3420);
    cairo_rectangle(cr, x - 1.4, y - 1.0, 2.8, 3.6);
    fill(cr, 0xFFE08A);
    light(cr, x, y + 0.8, 9, 0xFFB347, 0.55);
}

// The lantern-bearer: a small figure in a hooded winter cloak with a fur trim, lantern in hand.
// `step` 0..3 is the walk phase (1 and 3 are the strides).
void bearer(cairo_t* cr, Facing facing, int step)
{
    const double bob = (step % 2 == 1) ? -1.0 : 0.0;
    const double stride = step == 1 ? 1.5 : step == 3 ? -1.5 : 0.0;
    const bool side = facing == Facing::left || facing == Facing::right;
    cairo_save(cr);
    if (facing == Facing::right) {  // the right view is the left view mirrored
        cairo_translate(cr, 32, 0);
        cairo_scale(cr, -1, 1);
    }
    // Shadow and boots.
    ellipse(cr, 16, 29.2, 9, 2.6);
    fill(cr, 0x000000, 0.35);
    if (side) {
        ellipse(cr, 14 + stride, 28, 2.8, 1.7);
        ellipse(cr, 18 - stride, 28, 2.8, 1.7);
    } else {
        ellipse(cr, 12.8, 27.6 + stride * 0.5, 2.4, 1.8);
        ellipse(cr, 19.2, 27.6 - stride * 0.5, 2.4, 1.8);
    }
    fill(cr, 0x2A1D18);
    if (facing == Facing::up)
        lantern(cr, 6.5, 19 + bob + stride * 0.3);
    // Cloak: wider at the hem, lit from the upper left.
    const double top = 13 + bob, hem = 27.4;
    const double half_top = side ? 5.0 : 6.0, half_hem = side ? 7.5 : 9.5;
    cairo_move_to(cr, 16 - half_top, top);
    cairo_curve_to(cr, 16 - half_top - 1, top + 6, 16 - half_hem, hem - 4, 16 - half_hem, hem);
    cairo_line_to(cr, 16 + half_hem, hem);
    cairo_curve_to(cr, 16 + half_hem, hem - 4, 16 + half_top + 1, top + 6, 16 + half_top, top);
    cairo_close_path(cr);
    gradient(cr, 6, top, 26, hem, facing == Facing::up ? 0x2A4577 : 0x3A5E9C, 0x15244A);
    cairo_fill_preserve(cr);
    set_rgb(cr, 0x0C1530, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // Fur along the hem.
    for (int i = 0; i <= 6; ++i) {
        const double x = 16 - half_hem + (2 * half_hem) * i / 6.0;
        ellipse(cr, x, hem - 0.2, 1.9, 1.3);
    }
    fill(cr, 0xEEF4FF);
    if (facing == Facing::down) {
        ellipse(cr, 16, top + 2.6, 1.1, 1.1);
        fill(cr, 0xE8C25A);
    }
    // Hood and face.
    const double hx = side ? 15.0 : 16.0, hy = 9.6 + bob;
    cairo_arc(cr, hx, hy, 7.0, 0, 2 * M_PI);
    gradient(cr, hx - 7, hy - 7, hx + 7, hy + 7, facing == Facing::up ? 0x35578F : 0x4A6FAE, 0x1E325E);
    cairo_fill_preserve(cr);
    set_rgb(cr, 0x0C1530, 0.8);
    cairo_stroke(cr);
    if (facing == Facing::down) {
        ellipse(cr, 16, hy + 1.6, 4.9, 4.6);
        fill(cr, 0xF4F8FF);
        ellipse(cr, 16, hy + 1.8, 3.6, 3.4);
        fill(cr, 0xF1C9A5);
        for (double ex : {14.5, 17.5}) {
            ellipse(cr, ex, hy + 1.6, 0.7, 0.9);
            fill(cr, 0x1B1B2E);
        }
        ellipse(cr, 16, hy + 3.3, 1.2, 0.5);
        fill(cr, 0xD9897A, 0.8);
    } else if (side) {
        ellipse(cr, 10.9, hy + 1.6, 3.2, 4.2);
        fill(cr, 0xF4F8FF);
        ellipse(cr, 10.6, hy + 1.8, 2.1, 3.0);
        fill(cr, 0xF1C9A5);
        ellipse(cr, 10.0, hy + 1.3, 0.6, 0.9);
        fill(cr, 0x1B1B2E);
    } else {
        cairo_move_to(cr, 16, hy - 2);
        cairo_line_to(cr, 16, hy + 6);
        set_rgb(cr, 0x16264A, 0.7);
        cairo_stroke(cr);
    }
    if (facing == Facing::down)
        lantern(cr, 24.2, 19 + bob + stride * 0.3);
    if (side)
        lantern(cr, 7.0, 18.5 + bob + stride * 0.4);
    cairo_restore(cr);
}

// Ice closing round the figure: `amount` 0..1.
void freezing(cairo_t* cr, double amount)
{
    bearer(cr, Facing::down, 0);
    cairo_move_to(cr, 5, 30);
    cairo_line_to(cr, 4, 11);
    cairo_line_to(cr, 10, 2);
    cairo_line_to(cr, 23, 1);
    cairo_line_to(cr, 28, 9);
    cairo_line_to(cr, 27, 30);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(4, 1, 28, 30);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.85, 0.96, 1.0, 0.75 * amount);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.35, 0.65, 0.95, 0.85 * amount);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    set_rgb(cr, 0xFFFFFF, amount);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // Facet lines and a glint.
    cairo_move_to(cr, 10, 2);
    cairo_line_to(cr, 14, 14);
    cairo_line_to(cr, 28, 9);
    cairo_move_to(cr, 14, 14);
    cairo_line_to(cr, 12, 30);
    set_rgb(cr, 0xFFFFFF, 0.5 * amount);
    cairo_stroke(cr);
    light(cr, 9, 7, 5 * amount + 0.1, 0xFFFFFF, amount);
}

void wisp(cairo_t* cr, int frame)
{
    const double sway[] = {-2, 0, 2, 0}, flick[] = {0, -1.5, 0, 1};
    const double s = sway[frame], f = flick[frame];
    light(cr, 16, 17, 15, 0x5FC8FF, 0.5);
    // The flame: a round body drawn up into a wavering tip.
    cairo_move_to(cr, 9, 19);
    cairo_curve_to(cr, 9, 12, 14 + s, 9, 16 + s * 1.5, 2 + f);
    cairo_curve_to(cr, 18 + s, 9, 23, 12, 23, 19);
    cairo_curve_to(cr, 23, 24, 19.5, 26.5, 16, 26.5);
    cairo_curve_to(cr, 12.5, 26.5, 9, 24, 9, 19);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(16, 19, 1, 16, 17, 11);
    cairo_pattern_add_color_stop_rgba(p, 0.0, 1.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgba(p, 0.45, 0.62, 0.91, 1.0, 0.95);
    cairo_pattern_add_color_stop_rgba(p, 1.0, 0.25, 0.55, 1.0, 0.75);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Trailing wisps below.
    cairo_set_line_width(cr, 1.4);
    cairo_move_to(cr, 12, 25);
    cairo_curve_to(cr, 11 - s, 28, 13 - s, 29, 11 - s, 31);
    cairo_move_to(cr, 20, 25);
    cairo_curve_to(cr, 21 - s, 28, 19 - s, 29, 21 - s, 31);
    set_rgb(cr, 0x9FE6FF, 0.6);
    cairo_stroke(cr);
    for (double ex : {13.4, 18.6}) {
        ellipse(cr, ex + s * 0.3, 18.5, 1.3, 2.0);
        fill(cr, 0x0E2450);
    }
}

void bat(cairo_t* cr, int frame)
{
    const double lift[] = {-9, -3, 5, -3};
    const double wy = lift[frame];
    for (int side : {-1, 1}) {
        cairo_save(cr);
        cairo_translate(cr, 16, 0);
        cairo_scale(cr, side, 1);
        // Wing: from the shoulder out to the tip, a scalloped trailing edge back to the body.
        cairo_move_to(cr, 2.5, 13);
        cairo_curve_to(cr, 7, 11 + wy * 0.4, 11, 9 + wy * 0.8, 15, 12 + wy);
        cairo_curve_to(cr, 13.5, 15 + wy * 0.7, 12, 16 + wy * 0.5, 11, 17 + wy * 0.4);
        cairo_curve_to(cr, 9.5, 16 + wy * 0.3, 8, 17 + wy * 0.3, 7, 18 + wy * 0.2);
        cairo_curve_to(cr, 5.5, 17, 4, 18, 2.5, 19);
        cairo_close_path(cr);
        gradient(cr, 0, 8, 0, 20, 0x6A4A8C, 0x2E1D45);
        cairo_fill_preserve(cr);
        set_rgb(cr, 0x170C26);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_move_to(cr, 3, 14);
        cairo_line_to(cr, 11, 17 + wy * 0.4);
        cairo_move_to(cr, 3, 14);
        cairo_line_to(cr, 7, 18 + wy * 0.2);
        set_rgb(cr, 0x8C6AB0, 0.6);
        cairo_stroke(cr);
        // Ear.
        cairo_move_to(cr, 1.2, 10);
        cairo_line_to(cr, 3.8, 5.5);
        cairo_line_to(cr, 4.2, 11);
        fill(cr, 0x3A2750);
        cairo_restore(cr);
    }
    ellipse(cr, 16, 15.5, 4.2, 5.4);
    gradient(cr, 12, 10, 20, 21, 0x5A3E78, 0x24163A);
    cairo_fill(cr);
    for (double ex : {14.4, 17.6}) {
        ellipse(cr, ex, 13.5, 0.9, 0.9);
        fill(cr, 0xFFB648);
    }
    ellipse(cr, 16, 16.5, 1.2, 0.6);
    fill(cr, 0xEADCF8, 0.7);
}

void snowball(cairo_t* cr)
{
    cairo_arc(cr, 16, 16, 10.5, 0, 2 * M_PI);
    cairo_pattern_t* p = cairo_pattern_create_radial(12.5, 12, 1, 16, 16, 11);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.87, 0.92, 0.98);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.56, 0.66, 0.82);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Clumps of packed snow, so that the ball's roll can be seen.
    const double clumps[][3] = {{19, 11, 1.6}, {11, 19, 1.3}, {20, 20, 2.0}, {14, 15, 1.0}, {22.5, 15, 1.1}};
    for (const auto& c : clumps) {
        cairo_arc(cr, c[0], c[1], c[2], 0, 2 * M_PI);
        fill(cr, 0x8FA3C4, 0.55);
        cairo_arc(cr, c[0] - 0.5, c[1] - 0.5, c[2] * 0.6, 0, 2 * M_PI);
        fill(cr, 0xFFFFFF, 0.7);
    }
    cairo_arc(cr, 16, 16, 10.5, 0, 2 * M_PI);
    set_rgb(cr, 0x5C6F93, 0.8);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
}

// A four-pointed glint that opens and fades: `t` 0..1.
void sparkle(cairo_t* cr, double t)
{
    const double r = 4 + 11 * t, a = 1.0 - 0.8 * t;
    light(cr, 16, 16, 6 + 9 * t, 0x9FEFFF, 0.8 * a);
    cairo_arc(cr, 16, 16, 3 + 11 * t, 0, 2 * M_PI);
    set_rgb(cr, 0xCFF7FF, 0.7 * a);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int k = 0; k < 4; ++k) {
        const double ang = k * M_PI / 2 + t * 0.6;
        cairo_move_to(cr, 16 + std::cos(ang) * r, 16 + std::sin(ang) * r);
        cairo_line_to(cr, 16 + std::cos(ang + M_PI / 4) * 1.6, 16 + std::sin(ang + M_PI / 4) * 1.6);
        cairo_line_to(cr, 16 + std::cos(ang + M_PI / 2) * r * 0.5, 16 + std::sin(ang + M_PI / 2) * r * 0.5);
    }
    set_rgb(cr, 0xFFFFFF, a);
    cairo_fill(cr);
}

} // namespace

void paint_sprites(const std::string& folder)
{
    GridSheet sheet(L::sprite_columns, L::sprite_rows, L::cell, L::cell);
    const Facing facings[] = {Facing::down, Facing::up, Facing::left, Facing::right};
    for (int row = L::row_down; row <= L::row_right; ++row)
        for (int step = 0; step < 4; ++step)
            sheet.in_cell(step, row, [&](cairo_t* cr) { bearer(cr, facings[row], step); });
    for (int frame = 0; frame < 4; ++frame) {
        sheet.in_cell(frame, L::row_spirits, [&](cairo_t* cr) { wisp(cr, frame); });
        sheet.in_cell(4 + frame, L::row_spirits, [&](cairo_t* cr) { bat(cr, frame); });
        sheet.in_cell(frame, L::row_frozen, [&](cairo_t* cr) { freezing(cr, (frame + 1) / 4.0); });
    }
    sheet.in_cell(L::snowball_column, L::row_things, snowball);
    for (int k = 0; k < 5; ++k)
        sheet.in_cell(L::sparkle_column + k, L::row_things, [&](cairo_t* cr) { sparkle(cr, k / 4.0); });
    sheet.in_cell(L::glow_column, L::row_things, [](cairo_t* cr) { light(cr, 16, 16, 16, 0x8FE3FF, 0.9); });
    sheet.in_cell(L::halo_column, L::row_things, [](cairo_t* cr) { light(cr, 16, 16, 16, 0xFFCF7A, 0.8); });
    sheet.save(folder + "/sprites.png");

    // The animation file: cell (0, 0) at the sheet's corner; frames as (column, row).
    auto row_of = [](int row, int first, int count) {
        Animation a{0, 0, L::cell, L::cell, {}};
        for (int i = 0; i < count; ++i)
            a.frames.emplace_back(first + i, row);
        return a;
    };
    std::vector<Animation> animations(L::animation_count);
    animations[L::walk_down - 1] = row_of(L::row_down, 0, 4);
    animations[L::walk_up - 1] = row_of(L::row_up, 0, 4);
    animations[L::walk_left - 1] = row_of(L::row_left, 0, 4);
    animations[L::walk_right - 1] = row_of(L::row_right, 0, 4);
    animations[L::wisp_flicker - 1] = row_of(L::row_spirits, 0, 4);
    animations[L::bat_flap - 1] = row_of(L::row_spirits, 4, 4);
    animations[L::sparkle_burst - 1] = row_of(L::row_things, L::sparkle_column, 5);
    animations[L::player_freeze - 1] = row_of(L::row_frozen, 0, 4);
    write_animation_file(folder + "/frostkeep.ani", animations);
}

} // namespace art
