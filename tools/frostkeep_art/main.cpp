// frostkeep-art OUTDIR: writes Frostkeep's pictures, animation data, sounds and music into OUTDIR
// (created when missing). Every file comes out the same on every run.
#include "art.hpp"

#include <cairo.h>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>

namespace art {

void set_rgb(cairo_t* cr, unsigned hex, double alpha)
{
    cairo_set_source_rgba(cr, ((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0,
                          alpha);
}

void ellipse(cairo_t* cr, double x, double y, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void light(cairo_t* cr, double x, double y, double radius, unsigned hex, double alpha)
{
    const double r = ((hex >> 16) & 0xFF) / 255.0, g = ((hex >> 8) & 0xFF) / 255.0, b = (hex & 0xFF) / 255.0;
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    cairo_pattern_add_color_stop_rgba(p, 0.0, r, g, b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.4, r, g, b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1.0, r, g, b, 0.0);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(p);
}

} // namespace art

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: frostkeep-art OUTDIR\n");
        return 2;
    }
    try {
        const std::string folder = argv[1];
        std::filesystem::create_directories(folder);
        art::paint_sprites(folder);
        art::paint_tiles(folder);
        art::paint_font(folder);
        art::paint_title(folder);
        art::synthesize_sounds(folder);
        art::compose_music(folder);
        std::printf("Frostkeep's pictures, animations, sounds and music written to %s\n", folder.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "frostkeep-art: %s\n", error.what());
        return 1;
    }
    return 0;
}
