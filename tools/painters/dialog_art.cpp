// Preview and About pictures, banner, separator and icons.
#include "dialog_art.hpp"

#include "canvas.hpp"
#include "flakes.hpp"
#include "noise.hpp"
#include "scenes.hpp"

#include <cmath>

namespace paint {

namespace {

// Draws the image scaled by `zoom` with its top-left corner at x, y, at the given opacity.
void place(cairo_t* cr, const Image& image, double x, double y, double zoom, double alpha = 1.0)
{
    cairo_surface_t* s = to_surface(image);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, zoom, zoom);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

Image scene(const Image& strip, int index)
{
    return crop(strip, index * scene_width, 0, scene_width, scene_height);
}

// A scene shrunk to 150 x 112 with a few flakes drifting over it.
Image small_picture(const Image& strip, int index, uint64_t seed, int crystal)
{
    Canvas c(small_picture_width, small_picture_height);
    place(c.cr(), scene(strip, index), 0, 0, static_cast<double>(small_picture_width) / scene_width);
    Rng rng(seed);
    const Image soft = render_soft_flake();
    for (int i = 0; i < 40; ++i) {
        double size = rng.range(2, 7);
        place(c.cr(), soft, rng.range(-4, small_picture_width), rng.range(-4, small_picture_height),
              size / soft_flake_size, rng.range(0.4, 0.95));
    }
    if (crystal >= 0) {
        const Image big = render_crystal(crystal_size, single_crystals()[static_cast<size_t>(crystal)]);
        glow(c.cr(), 112, 34, 30, hex(0xD8E8FF), 0.35);
        place(c.cr(), big, 112 - 26, 34 - 26, 52.0 / crystal_size);
    }
    return from_surface(c.surface());
}

// A wide band cut from the dawn mountains, softened, with flakes and a darker left end.
Image banner(const Image& strip)
{
    Canvas c(banner_width, banner_height);
    cairo_t* cr = c.cr();
    const double zoom = static_cast<double>(banner_width) / scene_width;
    place(cr, scene(strip, 1), 0, -168 * zoom, zoom);
    cairo_pattern_t* p = linear_gradient(0, 0, banner_width, 0,
                                         {{0, hex(0x1A1740), 0.75}, {0.45, hex(0x1A1740), 0.15}, {1, hex(0x1A1740), 0}});
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    const auto& crystals = single_crystals();
    const double xs[] = {22, 62, 104, 150};
    const double sizes[] = {30, 18, 24, 14};
    for (size_t i = 0; i < 4; ++i) {
        Image flake = render_crystal(crystal_size, crystals[i * 2]);
        place(cr, flake, xs[i] - sizes[i] / 2, banner_height / 2.0 - sizes[i] / 2 + (i % 2 ? 6 : -3),
              sizes[i] / crystal_size, 0.9);
    }
    // A thin ice-blue rule along the bottom edge joins the banner to the dialog.
    cairo_set_source_rgba(cr, 0.75, 0.87, 1.0, 0.8);
    cairo_rectangle(cr, 0, banner_height - 1, banner_width, 1);
    cairo_fill(cr);
    return from_surface(c.surface());
}

// An etched line: a dark groove above a light ridge, ice-blue in the middle.
Image separator()
{
    Canvas c(separator_width, separator_height);
    cairo_t* cr = c.cr();
    const Rgb rows[] = {hex(0x7E93B4), hex(0xB9CCE6), hex(0xFFFFFF)};
    for (int y = 0; y < separator_height; ++y) {
        cairo_set_source_rgb(cr, rows[y].r, rows[y].g, rows[y].b);
        cairo_rectangle(cr, 0, y, separator_width, 1);
        cairo_fill(cr);
    }
    return from_surface(c.surface());
}

// A white crystal on a rounded night-blue tile.
Image icon(int size)
{
    Canvas c(size, size, CAIRO_FORMAT_ARGB32);
    cairo_t* cr = c.cr();
    const double r = size * 0.2, m = size >= 32 ? size * 0.03 : 0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, size - m - r, m + r, r, -M_PI / 2, 0);
    cairo_arc(cr, size - m - r, size - m - r, r, 0, M_PI / 2);
    cairo_arc(cr, m + r, size - m - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, m + r, m + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    cairo_pattern_t* p = linear_gradient(0, 0, 0, size, {{0, hex(0x2F5C9E)}, {1, hex(0x0C1A3A)}});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_clip(cr);
    glow(cr, size * 0.5, size * 0.5, size * 0.5, hex(0x9CC8FF), 0.35);
    // Small icons get a plain bold star; larger ones a full dendrite.
    Crystal star = size >= 48 ? single_crystals()[0] : Crystal{0.95, 4.5, 0.0, 0, false, 0.0, 0.0, 1, 0.36, 0.0, 2, 0.0};
    const int render = std::max(64, size);
    const Image flake = render_crystal(render, star);
    place(cr, flake, size * 0.08, size * 0.08, size * 0.84 / render);
    return from_surface(c.surface());
}

} // namespace

void write_dialog_art(const Image& strip, const std::string& folder)
{
    write_bmp8(folder + "/preview.bmp", small_picture(strip, 0, 61, -1));
    write_bmp8(folder + "/about.bmp", small_picture(strip, 7, 62, 0));
    write_png(folder + "/banner.png", banner(strip), false);
    write_png(folder + "/separator.png", separator(), false);
    for (int size : icon_sizes)
        write_png(folder + "/icon-" + std::to_string(size) + ".png", icon(size), true);
}

} // namespace paint
