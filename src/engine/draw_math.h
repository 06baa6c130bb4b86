// Drawing arithmetic shared by every family that puts quads on the screen.
#pragma once

#include <cstdint>

#include <varnel2d/engine_types.h>

namespace varnel2d {

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

// The centre of a frame of width x height drawn at (x, y): the corner plus half the unscaled size
// when (x, y) is its top-left corner, else (x, y) itself.
grid_point frame_centre(double x, double y, double width, double height, bool origintopleft);

// A box of whole pixels: it covers x .. x + width - 1 and y .. y + height - 1.
struct pixel_box {
  float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
};

// Boxes overlap when they share at least one pixel; boxes that only touch do not.
bool boxes_overlap(const pixel_box& a, const pixel_box& b);

// The part two rectangles share; its width or height is 0 or less when they share nothing.
edge_rect intersection(const edge_rect& a, const edge_rect& b);

}  // namespace varnel2d
