// The contact sheet.
#include "sheet.hpp"

#include "canvas.hpp"
#include "scenes.hpp"

#include <cstdio>

namespace paint {

namespace {

void place(cairo_t* cr, const Image& image, double x, double y, double zoom)
{
    cairo_surface_t* s = to_surface(image);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, zoom, zoom);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), zoom >= 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

} // namespace

void write_contact_sheet(const Image& strip, const FlakeSet& flakes, const std::string& folder)
{
    const double zoom = 0.6;
    const int cols = 5, tile_w = static_cast<int>(scene_width * zoom), tile_h = static_cast<int>(scene_height * zoom);
    const int flake_row = 2 * crystal_size + 8;
    Canvas sheet(cols * tile_w, 2 * tile_h + 2 * flake_row, CAIRO_FORMAT_RGB24);
    cairo_t* cr = sheet.cr();
    cairo_set_source_rgb(cr, 0.08, 0.1, 0.16);
    cairo_paint(cr);
    const int scenes = strip.width / scene_width;
    for (int i = 0; i < scenes; ++i) {
        Image scene = crop(strip, i * scene_width, 0, scene_width, scene_height);
        place(cr, scene, (i % cols) * tile_w, (i / cols) * tile_h, zoom);
        char name[32];
        std::snprintf(name, sizeof name, "/scene%02d.png", i + 1);
        write_png(folder + name, scene, false);
    }
    double x = 4, y = 2 * tile_h + 4;
    place(cr, flakes.soft, x, y, 2);
    x += 2 * soft_flake_size + 8;
    for (const Image& f : flakes.singles) {
        if (x + 2 * crystal_size > sheet.width()) {
            x = 4;
            y += flake_row;
        }
        place(cr, f, x, y, 2);
        x += 2 * crystal_size + 8;
    }
    place(cr, flakes.sheet, x, y, 1);
    write_png(folder + "/sheet.png", from_surface(sheet.surface()), false);
}

} // namespace paint
