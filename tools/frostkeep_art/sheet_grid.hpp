// A picture made of cells on the engine's frame grid (a one-pixel gap between neighbours),
// saved as a PNG whose fully transparent pixels are opaque magenta, the engine's colour key.
#pragma once

#include "canvas.hpp"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace art {

class GridSheet {
public:
    GridSheet(int columns, int rows, int cell_width, int cell_height);
    // Runs `draw` with the origin at the top-left of cell (column, row), clipped to the cell.
    void in_cell(int column, int row, const std::function<void(cairo_t*)>& draw);
    void save(const std::string& path);
    cairo_t* cr() const { return canvas_.cr(); }

private:
    paint::Canvas canvas_;
    int cell_width_, cell_height_;
};

// One animation of the engine's animation data file: frames as (column, row) cells of a sheet
// whose cell (0, 0) is at (x, y).
struct Animation {
    int x, y, frame_width, frame_height;
    std::vector<std::pair<int, int>> frames;
    int texture = 1;
};

// Writes the animation data file: the count, then each animation on a line of its own.
void write_animation_file(const std::string& path, const std::vector<Animation>& animations);

} // namespace art
