// The strip of ten scenes side by side and its cut into the show's 512-pixel picture slices.
#pragma once

#include "image.hpp"

#include <string>

namespace paint {

constexpr int slice_width = 512;
constexpr int slice_count = 13;   // 13 x 512 = 6656 covers the 6400-pixel strip; the rest is black

// Paints every scene and lays them side by side, scene k at x = (k - 1) * 640.
Image paint_strip();

// Writes f1.jpg .. f13.jpg into the folder: slice i holds strip x from (i - 1) * 512.
void write_slices(const Image& strip, const std::string& folder);

} // namespace paint
