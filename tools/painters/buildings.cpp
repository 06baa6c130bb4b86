// Houses, church, smoke, fences and boats.
#include "buildings.hpp"

#include "canvas.hpp"

#include <cmath>

namespace paint {

namespace {

void set(cairo_t* cr, Rgb c, double a = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, a);
}

// A window pane: warm gradient when lit, dark glass otherwise, with a snowy sill and a cross bar.
void window(cairo_t* cr, double x, double y, double w, double h, double skew, const House& hs)
{
    auto quad = [&](double inset) {
        cairo_move_to(cr, x + inset, y + inset);
        cairo_line_to(cr, x + w - inset, y + inset + skew * (w - 2 * inset) / w);
        cairo_line_to(cr, x + w - inset, y + h - inset + skew * (w - 2 * inset) / w);
        cairo_line_to(cr, x + inset, y + h - inset);
        cairo_close_path(cr);
    };
    quad(-0.8);
    set(cr, hs.trim);
    cairo_fill(cr);
    quad(0);
    if (hs.lit > 0) {
        cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
        Rgb hot = mix(hs.window, hex(0xFFF4D0), 0.45);
        cairo_pattern_add_color_stop_rgb(p, 0, hs.window.r * 0.85, hs.window.g * 0.75, hs.window.b * 0.6);
        cairo_pattern_add_color_stop_rgb(p, 1, hot.r, hot.g, hot.b);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    } else {
        set(cr, mix(hs.side, hex(0x1A2233), 0.6));
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, std::max(0.7, w * 0.09));
    set(cr, hs.trim);
    cairo_move_to(cr, x + w / 2, y + skew / 2);
    cairo_line_to(cr, x + w / 2, y + h + skew / 2);
    cairo_move_to(cr, x, y + h * 0.45);
    cairo_line_to(cr, x + w, y + h * 0.45 + skew);
    cairo_stroke(cr);
    // Snow on the sill.
    set(cr, hs.roof_snow);
    cairo_move_to(cr, x - 1, y + h + 0.5);
    cairo_line_to(cr, x + w + 1, y + h + 0.5 + skew);
    cairo_line_to(cr, x + w + 0.5, y + h + 2 + skew);
    cairo_line_to(cr, x - 0.5, y + h + 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    if (hs.lit > 0)
        glow(cr, x + w / 2, y + h / 2 + skew / 2, hs.glow, hs.window, 0.38 * hs.lit);
}

} // namespace

void house(cairo_t* cr, Rng& rng, const House& h)
{
    cairo_save(cr);
    const double slant = 0.32;   // the side goes back and up at this slope
    const double d = h.depth, top = h.base - h.wall, apex_x = h.x + h.width / 2, apex_y = top - h.roof;
    const double side_x = d > 0 ? h.x + h.width : h.x;
    const double dy = -std::fabs(d) * slant;
    // Side wall.
    cairo_move_to(cr, side_x, h.base);
    cairo_line_to(cr, side_x + d, h.base + dy);
    cairo_line_to(cr, side_x + d, top + dy);
    cairo_line_to(cr, side_x, top);
    cairo_close_path(cr);
    set(cr, h.side);
    cairo_fill(cr);
    // Gable front.
    cairo_move_to(cr, h.x, h.base);
    cairo_line_to(cr, h.x + h.width, h.base);
    cairo_line_to(cr, h.x + h.width, top);
    cairo_line_to(cr, apex_x, apex_y);
    cairo_line_to(cr, h.x, top);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, apex_y, 0, h.base);
    cairo_pattern_add_color_stop_rgb(p, 0, h.front.r * 0.85, h.front.g * 0.85, h.front.b * 0.85);
    cairo_pattern_add_color_stop_rgb(p, 1, h.front.r, h.front.g, h.front.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Board lines on the front.
    cairo_set_line_width(cr, 0.5);
    set(cr, scale(h.front, 0.75), 0.5);
    for (double y = top + 3; y < h.base; y += 3.2) {
        cairo_move_to(cr, h.x, y);
        cairo_line_to(cr, h.x + h.width, y);
    }
    cairo_stroke(cr);
    // Chimney behind the roof's snow.
    if (h.chimney) {
        double cx = apex_x + d * 0.55, cy = apex_y + dy * 0.55 + h.roof * 0.35;
        set(cr, scale(h.side, 0.9));
        cairo_rectangle(cr, cx - h.width * 0.06, cy - h.roof * 0.7, h.width * 0.12, h.roof * 0.7);
        cairo_fill(cr);
        set(cr, h.roof_snow);
        cairo_rectangle(cr, cx - h.width * 0.08, cy - h.roof * 0.75, h.width * 0.16, h.roof * 0.1);
        cairo_fill(cr);
    }
    // Roof side, deep in snow: from the front edge of the gable back by the depth, overhanging a little.
    const double over = h.width * 0.08;
    const double ex = d > 0 ? h.x + h.width + over : h.x - over;
    const double ey = top + h.roof * over / (h.width / 2) + 1;
    cairo_move_to(cr, apex_x, apex_y - 2);
    cairo_line_to(cr, apex_x + d, apex_y - 2 + dy);
    cairo_line_to(cr, ex + d, ey + dy);
    cairo_line_to(cr, ex, ey);
    cairo_close_path(cr);
    p = cairo_pattern_create_linear(apex_x, apex_y, ex, ey);
    cairo_pattern_add_color_stop_rgb(p, 0, h.roof_snow.r, h.roof_snow.g, h.roof_snow.b);
    cairo_pattern_add_color_stop_rgb(p, 1, h.roof_shade.r, h.roof_shade.g, h.roof_shade.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Snow along the gable's two edges, lumpy, and a lip hanging over the eave.
    const double fx = d > 0 ? h.x - over : h.x + h.width + over;
    cairo_move_to(cr, ex, ey);
    cairo_line_to(cr, apex_x, apex_y - 2.5);
    cairo_line_to(cr, fx, ey);
    const int n = 8;
    for (int i = 1; i < n; ++i) {
        double t = static_cast<double>(i) / n;
        double x = fx + (apex_x - fx) * t, y = ey + (apex_y - ey) * t;
        cairo_line_to(cr, x + (d > 0 ? 1 : -1) * 0.8, y + h.roof * 0.14 * rng.range(0.6, 1.3));
    }
    cairo_line_to(cr, apex_x, apex_y + h.roof * 0.15);
    for (int i = n - 1; i > 0; --i) {
        double t = static_cast<double>(i) / n;
        double x = ex + (apex_x - ex) * t, y = ey + (apex_y - ey) * t;
        cairo_line_to(cr, x, y + h.roof * 0.14 * rng.range(0.6, 1.3));
    }
    cairo_close_path(cr);
    set(cr, h.roof_snow);
    cairo_fill(cr);
    // Windows: two on the front, one or two on the side, and a door.
    const double ww = h.width * 0.18, wh = h.wall * 0.32;
    window(cr, h.x + h.width * 0.16, top + h.wall * 0.22, ww, wh, 0, h);
    window(cr, h.x + h.width * 0.66, top + h.wall * 0.22, ww, wh, 0, h);
    const int side_windows = std::fabs(d) > h.width * 0.7 ? 2 : 1;
    for (int i = 0; i < side_windows; ++i) {
        double t = (i + 0.6) / (side_windows + 0.4);
        double sx = side_x + d * t - (d > 0 ? 0 : ww * 0.8);
        double sy = top + h.wall * 0.25 + dy * t;
        window(cr, sx, sy, ww * 0.8, wh, dy * 0.8 * ww / std::fabs(d) * (d > 0 ? 1 : -1), h);
    }
    set(cr, scale(h.trim, 0.8));
    cairo_rectangle(cr, h.x + h.width * 0.42, h.base - h.wall * 0.5, h.width * 0.16, h.wall * 0.5);
    cairo_fill(cr);
    cairo_restore(cr);
}

void church(cairo_t* cr, Rng& rng, const House& nave, double tower_height)
{
    house(cr, rng, nave);
    const double tw = nave.width * 0.42, tx = nave.x + nave.width / 2 - tw / 2;
    const double ttop = nave.base - tower_height;
    set(cr, nave.front);
    cairo_rectangle(cr, tx, ttop, tw, nave.base - nave.wall - ttop + 2);
    cairo_fill(cr);
    set(cr, nave.side);
    cairo_rectangle(cr, tx + tw * 0.62, ttop, tw * 0.38, nave.base - nave.wall - ttop + 2);
    cairo_fill(cr);
    // Belfry opening, lit when the windows are.
    House bell = nave;
    bell.glow = nave.glow * 0.6;
    window(cr, tx + tw * 0.3, ttop + tw * 0.3, tw * 0.4, tw * 0.55, 0, bell);
    // Spire with snow on its lit face.
    cairo_move_to(cr, tx - 1, ttop);
    cairo_line_to(cr, tx + tw / 2, ttop - tower_height * 0.55);
    cairo_line_to(cr, tx + tw + 1, ttop);
    cairo_close_path(cr);
    set(cr, nave.roof_shade);
    cairo_fill(cr);
    cairo_move_to(cr, tx - 1, ttop);
    cairo_line_to(cr, tx + tw / 2, ttop - tower_height * 0.55);
    cairo_line_to(cr, tx + tw * 0.45, ttop);
    cairo_close_path(cr);
    set(cr, nave.roof_snow);
    cairo_fill(cr);
}

void smoke(cairo_t* cr, Rng& rng, double x, double y, double height, double drift, Rgb colour, double alpha)
{
    const int puffs = 26;
    for (int i = 0; i < puffs; ++i) {
        double t = static_cast<double>(i) / puffs;
        double px = x + drift * t * t + rng.range(-2, 2) * t * 4;
        double py = y - height * t;
        glow(cr, px, py, 3 + 14 * t, colour, alpha * (1 - t) * 0.8);
    }
}

void fence(cairo_t* cr, Rng& rng, const std::vector<double>& line, double x0, double x1, double spacing,
           double height, Rgb wood, Rgb snow)
{
    const auto last = static_cast<int>(line.size()) - 1;
    auto ground = [&](double x) { return line[static_cast<size_t>(std::clamp(static_cast<int>(x), 0, last))]; };
    double prev_x = -1, prev_y = 0;
    for (double x = x0; x <= x1; x += spacing * rng.range(0.85, 1.15)) {
        double y = ground(x) + 2;
        double h = height * rng.range(0.85, 1.1);
        if (prev_x >= 0) {
            cairo_set_line_width(cr, std::max(0.8, height * 0.07));
            set(cr, wood);
            for (double k : {0.35, 0.7}) {
                cairo_move_to(cr, prev_x, prev_y - height * k);
                cairo_line_to(cr, x, y - h * k);
            }
            cairo_stroke(cr);
            cairo_set_line_width(cr, std::max(0.6, height * 0.05));
            set(cr, snow, 0.9);
            cairo_move_to(cr, prev_x, prev_y - height * 0.7 - height * 0.06);
            cairo_line_to(cr, x, y - h * 0.7 - height * 0.06);
            cairo_stroke(cr);
        }
        set(cr, wood);
        cairo_rectangle(cr, x - height * 0.06, y - h, height * 0.12, h);
        cairo_fill(cr);
        set(cr, snow);
        cairo_arc(cr, x, y - h, height * 0.09, M_PI, 2 * M_PI);
        cairo_fill(cr);
        prev_x = x;
        prev_y = y;
    }
}

void boat(cairo_t* cr, Rng& rng, double x, double waterline, double length, Rgb hull, Rgb snow, bool mast)
{
    const double h = length * 0.22;
    cairo_move_to(cr, x - length / 2, waterline - h);
    cairo_curve_to(cr, x - length * 0.45, waterline, x - length * 0.3, waterline + 1, x, waterline + 1);
    cairo_curve_to(cr, x + length * 0.35, waterline + 1, x + length * 0.48, waterline - h * 0.3, x + length * 0.55,
                   waterline - h * 1.25);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, waterline - h, 0, waterline);
    cairo_pattern_add_color_stop_rgb(p, 0, hull.r, hull.g, hull.b);
    cairo_pattern_add_color_stop_rgb(p, 1, hull.r * 0.55, hull.g * 0.55, hull.b * 0.55);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Snow on the deck, heaped in the middle.
    cairo_move_to(cr, x - length / 2, waterline - h);
    cairo_curve_to(cr, x - length * 0.2, waterline - h - length * 0.06 * rng.range(0.7, 1.3), x + length * 0.2,
                   waterline - h * 1.1 - length * 0.05, x + length * 0.55, waterline - h * 1.25);
    cairo_line_to(cr, x + length * 0.5, waterline - h * 1.05);
    cairo_line_to(cr, x - length / 2, waterline - h * 0.8);
    cairo_close_path(cr);
    set(cr, snow);
    cairo_fill(cr);
    if (mast) {
        cairo_set_line_width(cr, std::max(1.0, length * 0.025));
        set(cr, scale(hull, 0.6));
        cairo_move_to(cr, x - length * 0.05, waterline - h * 1.1);
        cairo_line_to(cr, x - length * 0.05, waterline - h - length * 0.9);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 0.6);
        cairo_move_to(cr, x - length * 0.05, waterline - h - length * 0.9);
        cairo_line_to(cr, x + length * 0.5, waterline - h * 1.2);
        cairo_move_to(cr, x - length * 0.05, waterline - h - length * 0.9);
        cairo_line_to(cr, x - length * 0.48, waterline - h * 1.0);
        cairo_stroke(cr);
    }
}

} // namespace paint
