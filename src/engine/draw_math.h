// Drawing arithmetic shared by every family that puts quads on the screen.
#pragma once

#include <cstdint>

namespace brisenfall {

// ARGB from four channels, each converted to a whole number first and kept to its low byte.
uint32_t pack_argb(double alpha, double red, double green, double blue);

// The left (or top) edge that keeps an image of `size` pixels, scaled by `scale`, centred where
// the unscaled image at `position` would be: Int(position - (scale - 1) * size / 2).
double centred_edge(double position, double scale, double size);

// The top-left corner of cell (column, row) on a grid of cells with a one-pixel gap between them.
struct grid_point {
  double x = 0.0, y = 0.0;
};
grid_point grid_cell(double left, double top, double column, double row, double cell_width, double cell_height);

}  // namespace brisenfall
