// The bitmap font: the printable ASCII letters, each in a 14 x 20 cell, frosted white fading to ice
// blue with a dark outline so the score line reads over any floor.
#include "art.hpp"
#include "sheet_grid.hpp"

#include "../../examples/frostkeep/src/sheet_layout.h"

namespace art {

void paint_font(const std::string& folder)
{
    namespace L = frostkeep::layout;
    GridSheet sheet(L::font_across, L::font_rows, L::font_width, L::font_height);
    for (int n = 1; n < L::font_across * L::font_rows - 1; ++n) {
        const char letter[2] = {static_cast<char>(32 + n), 0};
        sheet.in_cell(n % L::font_across, n / L::font_across, [&](cairo_t* cr) {
            cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
            cairo_set_font_size(cr, 17);
            cairo_text_extents_t extents;
            cairo_text_extents(cr, letter, &extents);
            const double x = (L::font_width - extents.width) / 2 - extents.x_bearing;
            cairo_move_to(cr, x, 15.5);
            cairo_text_path(cr, letter);
            set_rgb(cr, 0x081328);
            cairo_set_line_width(cr, 2.4);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(cr);
            cairo_pattern_t* p = cairo_pattern_create_linear(0, 3, 0, 16);
            cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 1.0, 1.0);
            cairo_pattern_add_color_stop_rgb(p, 0.55, 0.86, 0.94, 1.0);
            cairo_pattern_add_color_stop_rgb(p, 1, 0.50, 0.76, 0.98);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
        });
    }
    sheet.save(folder + "/font.png");
}

} // namespace art
