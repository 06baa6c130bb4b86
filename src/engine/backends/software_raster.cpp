// Per-pixel loops of the CPU display. The blending loop is kept branch-free over plain arrays so
// that the compiler vectorises it; quads gather their source pixels into a row first and blend it
// with the same loop.
#include "engine/backends/software_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace varnel2d {
namespace {

// x / 255, rounded, for x up to 255 * 255 * 2.
inline uint32_t div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// Narrows the target x range [lo, hi) to where k * X + b lies in [0, limit), X being a pixel centre.
void keep_inside(float k, float b, float limit, float& lo, float& hi) {
  if (std::fabs(k) < 1e-9f) {
    if (b < 0 || b >= limit) hi = lo;
    return;
  }
  const float at_zero = -b / k;
  const float at_limit = (limit - b) / k;
  lo = std::max(lo, std::min(at_zero, at_limit));
  hi = std::min(hi, std::max(at_zero, at_limit));
}

// The image at (u, v), pixel centres lying at half-integers, filtered bilinearly between the four
// nearest pixels of `rect` (clamped at its edges, so neighbours on a sheet never bleed in).
inline uint32_t sample(const argb_image& image, const pixel_box& rect, float u, float v) {
  const float su = std::clamp(u - 0.5f, static_cast<float>(rect.x0), static_cast<float>(rect.x1 - 1));
  const float sv = std::clamp(v - 0.5f, static_cast<float>(rect.y0), static_cast<float>(rect.y1 - 1));
  const auto x0 = static_cast<int32_t>(su), y0 = static_cast<int32_t>(sv);
  const int32_t x1 = std::min(x0 + 1, rect.x1 - 1), y1 = std::min(y0 + 1, rect.y1 - 1);
  const auto fx = static_cast<uint32_t>((su - static_cast<float>(x0)) * 256);
  const auto fy = static_cast<uint32_t>((sv - static_cast<float>(y0)) * 256);
  const uint32_t* row0 = image.pixels.data() + static_cast<size_t>(y0) * static_cast<size_t>(image.width);
  const uint32_t* row1 = image.pixels.data() + static_cast<size_t>(y1) * static_cast<size_t>(image.width);
  const uint32_t p00 = row0[x0], p01 = row0[x1], p10 = row1[x0], p11 = row1[x1];
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t top = ((p00 >> shift) & 255) * (256 - fx) + ((p01 >> shift) & 255) * fx;
    const uint32_t bottom = ((p10 >> shift) & 255) * (256 - fx) + ((p11 >> shift) & 255) * fx;
    result |= (((top * (256 - fy) + bottom * fy) + 32768) >> 16) << shift;
  }
  return result;
}

}  // namespace

pixel_box intersection(pixel_box a, pixel_box b) {
  return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

bool all_opaque(const std::vector<uint32_t>& pixels) {
  return std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) == 255; });
}

// Both loops are built twice, for AVX2 (eight 32-bit lanes with a multiply) and for the baseline,
// and the processor's own is chosen when the library loads.
__attribute__((target_clones("avx2", "default")))
void blend_row(uint32_t* target, const uint32_t* source, int32_t n, uint32_t colour) {
  const uint32_t ca = colour >> 24, cr = (colour >> 16) & 255, cg = (colour >> 8) & 255, cb = colour & 255;
  if ((colour & 0xFFFFFFu) == 0xFFFFFFu) {
    // White: only the alpha is modulated (snowflakes, text, most sprites).
    for (int32_t i = 0; i < n; ++i) {
      const uint32_t s = source[i], d = target[i];
      const uint32_t a = div255((s >> 24) * ca);
      const uint32_t keep = 255 - a;
      const uint32_t r = div255(((s >> 16) & 255) * a + ((d >> 16) & 255) * keep);
      const uint32_t g = div255(((s >> 8) & 255) * a + ((d >> 8) & 255) * keep);
      const uint32_t b = div255((s & 255) * a + (d & 255) * keep);
      target[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
    return;
  }
  for (int32_t i = 0; i < n; ++i) {
    const uint32_t s = source[i], d = target[i];
    const uint32_t a = div255((s >> 24) * ca);
    const uint32_t keep = 255 - a;
    const uint32_t r = div255(div255(((s >> 16) & 255) * cr) * a + ((d >> 16) & 255) * keep);
    const uint32_t g = div255(div255(((s >> 8) & 255) * cg) * a + ((d >> 8) & 255) * keep);
    const uint32_t b = div255(div255((s & 255) * cb) * a + (d & 255) * keep);
    target[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
}

void draw_quad(pixel_view target, pixel_box clip, const argb_image& image, const sprite_quad& quad,
               const placement& where, std::vector<uint32_t>& scratch) {
  const int32_t w = quad.right - quad.left, h = quad.bottom - quad.top;
  if (w <= 0 || h <= 0 || image.width <= 0 || image.height <= 0 || (quad.colour >> 24) == 0) return;
  // Source offset (u, v) to target: scale, turn about the centre, move (as quad_corners), place.
  const float c = std::cos(quad.rotation), s = std::sin(quad.rotation);
  const float a00 = where.scale_x * quad.scale_x * c, a01 = where.scale_x * quad.scale_y * s;
  const float a10 = -where.scale_y * quad.scale_x * s, a11 = where.scale_y * quad.scale_y * c;
  const float tx = where.scale_x * (quad.x + quad.centre_x - quad.centre_x * c - quad.centre_y * s) + where.offset_x;
  const float ty = where.scale_y * (quad.y + quad.centre_y - quad.centre_y * c + quad.centre_x * s) + where.offset_y;
  const float det = a00 * a11 - a01 * a10;
  if (std::fabs(det) < 1e-12f) return;
  const float i00 = a11 / det, i01 = -a01 / det, i10 = -a10 / det, i11 = a00 / det;

  float min_x = tx, max_x = tx, min_y = ty, max_y = ty;
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  for (const auto& [u, v] : {std::pair{fw, 0.0f}, std::pair{0.0f, fh}, std::pair{fw, fh}}) {
    const float x = a00 * u + a01 * v + tx, y = a10 * u + a11 * v + ty;
    min_x = std::min(min_x, x), max_x = std::max(max_x, x), min_y = std::min(min_y, y), max_y = std::max(max_y, y);
  }
  const pixel_box bounds = intersection(
      intersection(clip, {0, 0, target.width, target.height}),
      {static_cast<int32_t>(std::floor(min_x)), static_cast<int32_t>(std::floor(min_y)),
       static_cast<int32_t>(std::ceil(max_x)), static_cast<int32_t>(std::ceil(max_y))});
  if (bounds.empty()) return;
  if (scratch.size() < static_cast<size_t>(bounds.x1 - bounds.x0)) scratch.resize(static_cast<size_t>(bounds.x1 - bounds.x0));

  // The source rectangle, kept inside the image.
  const pixel_box rect = intersection({quad.left, quad.top, quad.right, quad.bottom}, {0, 0, image.width, image.height});
  if (rect.empty()) return;
  const auto left = static_cast<float>(quad.left), top = static_cast<float>(quad.top);
  for (int32_t y = bounds.y0; y < bounds.y1; ++y) {
    const float centre_y = static_cast<float>(y) + 0.5f - ty;
    // u = i00 * X + base_u and v = i10 * X + base_v along the row, X being a pixel centre.
    const float base_u = i01 * centre_y - i00 * tx, base_v = i11 * centre_y - i10 * tx;
    float lo = static_cast<float>(bounds.x0), hi = static_cast<float>(bounds.x1);
    keep_inside(i00, base_u, fw, lo, hi);
    keep_inside(i10, base_v, fh, lo, hi);
    const int32_t begin = std::max(bounds.x0, static_cast<int32_t>(std::ceil(lo - 0.5f)));
    const int32_t end = std::min(bounds.x1, static_cast<int32_t>(std::ceil(hi - 0.5f)));
    if (begin >= end) continue;
    for (int32_t x = begin; x < end; ++x) {
      const float centre_x = static_cast<float>(x) + 0.5f;
      scratch[static_cast<size_t>(x - begin)] =
          sample(image, rect, left + i00 * centre_x + base_u, top + i10 * centre_x + base_v);
    }
    blend_row(target.row(y) + begin, scratch.data(), end - begin, quad.colour);
  }
}

void draw_straight(pixel_view target, pixel_box clip, const argb_image& image, int32_t source_x, int32_t source_y,
                   int32_t width, int32_t height, int32_t x, int32_t y, uint32_t colour) {
  if ((colour >> 24) == 0) return;
  // The part of the source inside the image, then of its destination inside the clip.
  const pixel_box source = intersection({source_x, source_y, source_x + width, source_y + height},
                                        {0, 0, image.width, image.height});
  const pixel_box to = intersection(intersection(clip, {0, 0, target.width, target.height}),
                                    {x + source.x0 - source_x, y + source.y0 - source_y,
                                     x + source.x1 - source_x, y + source.y1 - source_y});
  if (source.empty() || to.empty()) return;
  const int32_t from_x = source_x + (to.x0 - x), n = to.x1 - to.x0;
  const bool copy = image.opaque && colour == 0xFFFFFFFFu;
  for (int32_t row = to.y0; row < to.y1; ++row) {
    const uint32_t* from = image.pixels.data() + static_cast<size_t>(source_y + (row - y)) * image.width + from_x;
    if (copy) std::memcpy(target.row(row) + to.x0, from, static_cast<size_t>(n) * 4);
    else blend_row(target.row(row) + to.x0, from, n, colour);
  }
}

void fill(pixel_view target, pixel_box area, uint32_t xrgb) {
  area = intersection(area, {0, 0, target.width, target.height});
  if (area.empty()) return;
  for (int32_t y = area.y0; y < area.y1; ++y) std::fill_n(target.row(y) + area.x0, area.x1 - area.x0, xrgb);
}

argb_image resampled(const argb_image& source, pixel_box rect, int32_t width, int32_t height) {
  argb_image out;
  rect = intersection(rect, {0, 0, source.width, source.height});
  if (width <= 0 || height <= 0 || rect.empty()) return out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  const auto as_float = [](int32_t value) { return static_cast<float>(value); };
  const float step_x = as_float(rect.x1 - rect.x0) / as_float(width), step_y = as_float(rect.y1 - rect.y0) / as_float(height);
  for (int32_t y = 0; y < height; ++y) {
    const float v = as_float(rect.y0) + (as_float(y) + 0.5f) * step_y;
    uint32_t* row = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int32_t x = 0; x < width; ++x) row[x] = sample(source, rect, as_float(rect.x0) + (as_float(x) + 0.5f) * step_x, v);
  }
  out.opaque = source.opaque;
  return out;
}

argb_image resampled(const argb_image& source, int32_t width, int32_t height) {
  return resampled(source, {0, 0, source.width, source.height}, width, height);
}

}  // namespace varnel2d
