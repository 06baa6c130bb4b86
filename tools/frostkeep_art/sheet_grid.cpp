// Grid sheets and the animation data file.
#include "sheet_grid.hpp"

#include "image.hpp"

#include <fstream>
#include <stdexcept>

namespace art {

GridSheet::GridSheet(int columns, int rows, int cell_width, int cell_height)
    : canvas_(columns * (cell_width + 1) - 1, rows * (cell_height + 1) - 1, CAIRO_FORMAT_ARGB32),
      cell_width_(cell_width), cell_height_(cell_height)
{
}

void GridSheet::in_cell(int column, int row, const std::function<void(cairo_t*)>& draw)
{
    cairo_t* cr = canvas_.cr();
    cairo_save(cr);
    cairo_translate(cr, column * (cell_width_ + 1), row * (cell_height_ + 1));
    cairo_rectangle(cr, 0, 0, cell_width_, cell_height_);
    cairo_clip(cr);
    cairo_new_path(cr);
    draw(cr);
    cairo_restore(cr);
}

void GridSheet::save(const std::string& path)
{
    cairo_surface_flush(canvas_.surface());
    paint::Image image = paint::from_surface(canvas_.surface());
    paint::key_transparent(image);
    paint::write_png(path, image, true);
}

void write_animation_file(const std::string& path, const std::vector<Animation>& animations)
{
    std::ofstream out(path, std::ios::binary);
    out << animations.size() << "\r\n";
    for (const Animation& a : animations) {
        out << a.x << ',' << a.y << ',' << a.frame_width << ',' << a.frame_height << ',' << a.frames.size();
        for (const auto& [column, row] : a.frames)
            out << ',' << column << ',' << row;
        for (std::size_t i = 0; i < a.frames.size(); ++i)
            out << ',' << a.texture;
        out << "\r\n";
    }
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace art
