// Image helpers for tests: small image files written from pixel lists, BMP reading.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace varnel2d::testing {

// Pixels as ARGB, row by row.
struct pixel_image {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> argb;
  uint32_t at(int32_t x, int32_t y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

pixel_image filled_image(int32_t width, int32_t height, uint32_t argb);

// An 8-bit RGBA PNG file (alpha kept).
void write_png(const std::string& file, const pixel_image& image);

// A 24-bit BMP as the screenshots are written; throws when the file is not one.
pixel_image read_bmp24(const std::string& file);

}  // namespace varnel2d::testing

// The screensaver's tests reach these helpers as brisenfall::testing as well.
namespace brisenfall::testing {
using namespace varnel2d::testing;
}  // namespace brisenfall::testing
