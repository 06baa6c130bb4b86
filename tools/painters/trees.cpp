// Pines, birches and bare trees.
#include "trees.hpp"

#include <algorithm>
#include <cmath>

namespace paint {

namespace {

void set(cairo_t* cr, Rgb c, double a = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, a);
}

// One tier of a pine: a triangle with a drooping, ragged lower edge and snow on its upper edges.
void pine_tier(cairo_t* cr, Rng& rng, double x, double top, double bottom, double half, const PineLook& look)
{
    const double droop = (bottom - top) * 0.18;
    const int teeth = 3 + static_cast<int>(half / 4);
    // Needles: a gradient across the tier from the shaded to the lit side.
    cairo_pattern_t* p = cairo_pattern_create_linear(x - half * look.light, 0, x + half * look.light, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, look.body_dark.r, look.body_dark.g, look.body_dark.b);
    cairo_pattern_add_color_stop_rgb(p, 1, look.body_light.r, look.body_light.g, look.body_light.b);
    cairo_move_to(cr, x + rng.range(-0.6, 0.6), top);
    cairo_line_to(cr, x + half, bottom + droop * rng.range(0.6, 1.2));
    for (int i = 1; i < teeth; ++i) {
        double t = static_cast<double>(i) / teeth;
        double bx = x + half - 2 * half * t;
        double by = bottom + (i % 2 ? -droop * 0.5 : droop * 0.4) * rng.range(0.5, 1.3) + droop * 0.6 * std::sin(t * M_PI);
        cairo_line_to(cr, bx, by);
    }
    cairo_line_to(cr, x - half, bottom + droop * rng.range(0.6, 1.2));
    cairo_close_path(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    if (look.snow <= 0)
        return;
    // Snow rests on the upper part of the tier as a cap with a scalloped lower edge,
    // and in small clumps on the drooping tips.
    const double reach = std::min(0.85, rng.range(0.35, 0.55) + 0.25 * look.snow);
    const double yb = top + (bottom + droop * 0.5 - top) * reach;
    const double thick = std::max(0.8, (bottom - top) * 0.16 * look.snow);
    cairo_pattern_t* sp = cairo_pattern_create_linear(x - half * reach * look.light, 0, x + half * reach * look.light, 0);
    cairo_pattern_add_color_stop_rgb(sp, 0, look.snow_shade.r, look.snow_shade.g, look.snow_shade.b);
    cairo_pattern_add_color_stop_rgb(sp, 0.55, look.snow_lit.r, look.snow_lit.g, look.snow_lit.b);
    cairo_pattern_add_color_stop_rgb(sp, 1, look.snow_lit.r, look.snow_lit.g, look.snow_lit.b);
    cairo_move_to(cr, x, top - 0.5);
    cairo_line_to(cr, x + half * reach + 0.6, yb);
    const int scallops = 2 + static_cast<int>(half * reach / 5);
    for (int i = 1; i <= scallops; ++i) {
        double t = static_cast<double>(i) / scallops;
        double x0 = x + half * reach * (1 - 2 * (t - 0.5 / scallops));
        double x1 = x + half * reach * (1 - 2 * t);
        double dip = thick * rng.range(0.2, 1.1);
        cairo_curve_to(cr, x0 + 1, yb + dip, x0 - 1, yb + dip, x1, yb - thick * rng.range(0.0, 0.5));
    }
    cairo_line_to(cr, x - half * reach - 0.6, yb);
    cairo_close_path(cr);
    cairo_set_source(cr, sp);
    cairo_fill(cr);
    cairo_pattern_destroy(sp);
    for (int side = -1; side <= 1; side += 2) {
        if (!rng.chance(0.2 + 0.4 * look.snow))
            continue;
        Rgb c = side * look.light > 0 ? look.snow_lit : look.snow_shade;
        cairo_save(cr);
        cairo_translate(cr, x + side * half * 0.82, bottom + droop * 0.55);
        cairo_scale(cr, 1.0, 0.45);
        cairo_arc(cr, 0, 0, std::max(0.7, half * 0.09 * look.snow), 0, 2 * M_PI);
        cairo_restore(cr);
        set(cr, c);
        cairo_fill(cr);
    }
}

void branch(cairo_t* cr, Rng& rng, double x, double y, double angle, double length, double width, int depth,
            Rgb colour, Rgb frost, double frost_amount)
{
    if (depth == 0 || length < 1.5)
        return;
    // Two bends per branch so the limbs do not look ruled.
    double x1 = x, y1 = y, a = angle;
    for (int k = 0; k < 2; ++k) {
        a += rng.range(-0.22, 0.22);
        double nx = x1 + std::sin(a) * length / 2, ny = y1 - std::cos(a) * length / 2;
        cairo_move_to(cr, x1, y1);
        cairo_line_to(cr, nx, ny);
        cairo_set_line_width(cr, std::max(0.45, width * (1 - 0.3 * k)));
        set(cr, colour, width < 0.8 ? 0.75 : 1.0);
        cairo_stroke(cr);
        if (frost_amount > 0) {
            cairo_move_to(cr, x1, y1 - width * 0.35);
            cairo_line_to(cr, nx, ny - width * 0.35);
            cairo_set_line_width(cr, std::max(0.4, width * 0.55));
            set(cr, frost, frost_amount);
            cairo_stroke(cr);
        }
        x1 = nx;
        y1 = ny;
    }
    int children = depth > 2 ? 2 + rng.below(2) : 2;
    for (int i = 0; i < children; ++i) {
        double spread = rng.range(0.25, 0.6) * (i % 2 ? 1 : -1);
        branch(cr, rng, x1, y1, a + spread, length * rng.range(0.55, 0.75), width * 0.6, depth - 1, colour, frost,
               frost_amount);
    }
}

} // namespace

void pine(cairo_t* cr, Rng& rng, double x, double base, double height, const PineLook& look)
{
    cairo_save(cr);
    set(cr, scale(look.body_dark, 0.7));
    cairo_rectangle(cr, x - height * 0.02, base - height * 0.1, height * 0.04, height * 0.1);
    cairo_fill(cr);
    const int tiers = 5 + static_cast<int>(std::min(7.0, height / 22));
    const double lean = rng.range(-0.02, 0.02) * height;
    for (int i = 0; i < tiers; ++i) {
        double t = static_cast<double>(i) / tiers;
        double bottom = base - height * 0.08 - height * 0.86 * t;
        double tier_h = height * (0.3 - 0.12 * t);
        double half = height * 0.28 * std::pow(1 - t, 0.85) * rng.range(0.8, 1.15) + 0.8;
        pine_tier(cr, rng, x + lean * t, bottom - tier_h, bottom, half, look);
    }
    cairo_restore(cr);
}

void treeline(cairo_t* cr, Rng& rng, const std::vector<double>& line, double x0, double x1, double spacing,
              double hmin, double hmax, double sink, const PineLook& look)
{
    struct Tree {
        double x, base, h;
    };
    std::vector<Tree> trees;
    const auto last = static_cast<int>(line.size()) - 1;
    for (double x = x0; x < x1; x += spacing * rng.range(0.45, 1.55)) {
        double h = hmin + (hmax - hmin) * std::pow(rng.uniform(), 1.6);
        double y = line[static_cast<size_t>(std::clamp(static_cast<int>(x), 0, last))] + sink * rng.range(0.4, 1.2);
        trees.push_back({x, y, h});
    }
    std::sort(trees.begin(), trees.end(), [](const Tree& a, const Tree& b) { return a.base < b.base; });
    for (const Tree& t : trees)
        pine(cr, rng, t.x, t.base, t.h, look);
}

void birch(cairo_t* cr, Rng& rng, double x, double base, double height, double width, const BirchLook& look)
{
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double bend = rng.range(-0.04, 0.04) * height;
    auto trunk_x = [&](double t) { return x + bend * std::sin(t * M_PI * 0.8); };
    // Crown first, so the trunk lies over the roots of its branches.
    double side = rng.chance(0.5) ? 1 : -1;
    for (double t = 0.42; t < 0.97; t += rng.range(0.04, 0.09)) {
        side = -side;
        double w = width * (1 - t) * 0.32 + 0.4;
        branch(cr, rng, trunk_x(t), base - height * t, side * rng.range(0.35, 0.85), height * (0.24 - 0.14 * t), w, 5,
               look.twigs, look.frost, look.frost_amount);
    }
    // The trunk: a tapering band with a lit and a shaded side.
    const int n = 24;
    auto half_at = [&](double t) { return width * 0.5 * (1 - 0.8 * t); };
    cairo_move_to(cr, trunk_x(0) - half_at(0), base);
    for (int i = 1; i <= n; ++i) {
        double t = static_cast<double>(i) / n;
        cairo_line_to(cr, trunk_x(t) - half_at(t), base - height * t);
    }
    for (int i = n; i >= 0; --i) {
        double t = static_cast<double>(i) / n;
        cairo_line_to(cr, trunk_x(t) + half_at(t), base - height * t);
    }
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(x - width * look.light, 0, x + width * look.light, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, look.bark_shade.r, look.bark_shade.g, look.bark_shade.b);
    cairo_pattern_add_color_stop_rgb(p, 0.65, look.bark.r, look.bark.g, look.bark.b);
    cairo_pattern_add_color_stop_rgb(p, 1, look.bark.r, look.bark.g, look.bark.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Dark marks: short horizontal dashes, denser and bolder near the foot.
    for (int i = 0; i < static_cast<int>(height / 6); ++i) {
        double t = std::pow(rng.uniform(), 1.4) * 0.9;
        double half = half_at(t);
        double cx = trunk_x(t) + rng.range(-0.5, 0.5) * half, cy = base - height * t;
        double len = half * rng.range(0.4, 1.3);
        cairo_move_to(cr, cx - len / 2, cy);
        cairo_line_to(cr, cx + len / 2, cy + rng.range(-0.6, 0.6));
        cairo_set_line_width(cr, std::max(0.6, width * rng.range(0.04, 0.12) * (1.4 - t)));
        set(cr, look.marks, rng.range(0.55, 0.95));
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void cast_shadow(cairo_t* cr, double x, double base, double length, double dx, double dy, double width, Rgb colour,
                 double alpha)
{
    double ex = x + dx * length, ey = base + dy * length;
    double n = std::sqrt(dx * dx + dy * dy);
    double nx = -dy / n, ny = dx / n;
    cairo_pattern_t* p = cairo_pattern_create_linear(x, base, ex, ey);
    cairo_pattern_add_color_stop_rgba(p, 0, colour.r, colour.g, colour.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, colour.r, colour.g, colour.b, 0);
    cairo_move_to(cr, x - nx * width / 2, base - ny * width / 2);
    cairo_line_to(cr, ex - nx * width * 0.15, ey - ny * width * 0.15);
    cairo_line_to(cr, ex + nx * width * 0.15, ey + ny * width * 0.15);
    cairo_line_to(cr, x + nx * width / 2, base + ny * width / 2);
    cairo_close_path(cr);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

} // namespace paint
