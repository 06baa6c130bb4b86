// Geometry shared by every display backend: where a quad's corners land and the letterbox.
#include <cmath>

#include <varnel2d/display_device.h>

namespace varnel2d {

std::array<screen_point, 4> quad_corners(const sprite_quad& quad) {
  const float w = static_cast<float>(quad.right - quad.left) * quad.scale_x;
  const float h = static_cast<float>(quad.bottom - quad.top) * quad.scale_y;
  const float c = std::cos(quad.rotation);
  const float s = std::sin(quad.rotation);
  // Screen y grows downwards, so a counter-clockwise turn maps (dx, dy) to (dx c + dy s, dy c - dx s).
  const auto place = [&](float px, float py) {
    const float dx = px - quad.centre_x;
    const float dy = py - quad.centre_y;
    return screen_point{quad.x + quad.centre_x + dx * c + dy * s, quad.y + quad.centre_y + dy * c - dx * s};
  };
  return {place(0, 0), place(w, 0), place(w, h), place(0, h)};
}

screen_rect letterbox(int32_t source_w, int32_t source_h, int32_t output_w, int32_t output_h) {
  if (source_w <= 0 || source_h <= 0 || output_w <= 0 || output_h <= 0) return {};
  // Compare the aspect ratios in whole numbers so equal ratios fill the output exactly.
  if (static_cast<int64_t>(output_w) * source_h <= static_cast<int64_t>(output_h) * source_w) {
    const auto h = static_cast<int32_t>(static_cast<int64_t>(output_w) * source_h / source_w);
    return {0, (output_h - h) / 2, output_w, h};
  }
  const auto w = static_cast<int32_t>(static_cast<int64_t>(output_h) * source_w / source_h);
  return {(output_w - w) / 2, 0, w, output_h};
}

}  // namespace varnel2d
