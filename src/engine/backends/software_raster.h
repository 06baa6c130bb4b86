// The pixel work of the display that draws on the CPU: ARGB images, rows blended with a colour,
// quads mapped back onto their source pixels, straight copies, fills, and bilinear resampling for
// pictures scaled once to the window's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <varnel2d/display_device.h>

namespace varnel2d {

// Pixels as 0xAARRGGBB, row after row, not premultiplied.
struct argb_image {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;
  bool opaque = false;  // every pixel's alpha is 255
};

// A writable view of 32-bit xRGB pixels; the pitch counts pixels.
struct pixel_view {
  uint32_t* pixels = nullptr;
  int32_t width = 0, height = 0, pitch = 0;
  uint32_t* row(int32_t y) const { return pixels + static_cast<ptrdiff_t>(y) * pitch; }
};

// A rectangle of target pixels, x0 and y0 inside, x1 and y1 just outside.
struct pixel_box {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty() const { return x0 >= x1 || y0 >= y1; }
};

pixel_box intersection(pixel_box a, pixel_box b);

// Where back-buffer coordinates land on the target: target = back * scale + offset.
struct placement {
  float scale_x = 1, scale_y = 1, offset_x = 0, offset_y = 0;
};

// True when every pixel's alpha is 255.
bool all_opaque(const std::vector<uint32_t>& pixels);

// Blends n source pixels, each modulated by the ARGB colour, over n target pixels (source over,
// the target stays opaque).
void blend_row(uint32_t* target, const uint32_t* source, int32_t n, uint32_t colour);

// The quad's source rectangle of `image` scaled, turned about its centre and moved as the quad
// says, then placed: each target pixel inside `clip` whose centre falls on the quad takes the
// nearest source pixel, blended with the quad's colour. `scratch` is reused between calls.
void draw_quad(pixel_view target, pixel_box clip, const argb_image& image, const sprite_quad& quad,
               const placement& where, std::vector<uint32_t>& scratch);

// `width` x `height` pixels of `image` from (source_x, source_y), drawn 1:1 with their top-left
// corner at (x, y), inside `clip`; copied outright where nothing can show through.
void draw_straight(pixel_view target, pixel_box clip, const argb_image& image, int32_t source_x, int32_t source_y,
                   int32_t width, int32_t height, int32_t x, int32_t y, uint32_t colour);

void fill(pixel_view target, pixel_box area, uint32_t xrgb);

// The image, or the rectangle of it, resampled to width x height with bilinear filtering.
argb_image resampled(const argb_image& source, int32_t width, int32_t height);
argb_image resampled(const argb_image& source, pixel_box rect, int32_t width, int32_t height);

}  // namespace varnel2d
