// Colour packing, centring and the frame grid.
#include "engine/draw_math.h"

#include <algorithm>
#include <cmath>

#include <varnel2d/numbers.h>

namespace varnel2d {

uint32_t pack_argb(double alpha, double red, double green, double blue) {
  const auto byte = [](double value) { return static_cast<uint32_t>(static_cast<uint16_t>(to_int16(value)) & 0xFFu); };
  return (byte(alpha) << 24) | (byte(red) << 16) | (byte(green) << 8) | byte(blue);
}

double centred_edge(double position, double scale, double size) { return std::floor(position - (scale - 1) * size / 2); }

grid_point grid_cell(double left, double top, double column, double row, double cell_width, double cell_height) {
  return {left + column * (cell_width + 1), top + row * (cell_height + 1)};
}

grid_point frame_centre(double x, double y, double width, double height, bool origintopleft) {
  if (!origintopleft) return {x, y};
  return {x + width / 2, y + height / 2};
}

bool boxes_overlap(const pixel_box& a, const pixel_box& b) {
  return !(b.y + b.height - 1 < a.y || a.y + a.height - 1 < b.y || b.x + b.width - 1 < a.x ||
           a.x + a.width - 1 < b.x);
}

edge_rect intersection(const edge_rect& a, const edge_rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

}  // namespace varnel2d
