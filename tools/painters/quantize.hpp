// Colour reduction for the 256-colour pictures: a median-cut palette and error-diffused mapping.
#pragma once

#include "image.hpp"

#include <array>
#include <cstdint>
#include <vector>

namespace paint {

using Palette = std::vector<std::array<uint8_t, 3>>;

// At most `colours` entries that split the image's colours into boxes of equal pixel count.
Palette median_cut(const Image& image, size_t colours);

// Palette index of every pixel, rows top to bottom, with Floyd-Steinberg error diffusion.
std::vector<uint8_t> map_to_palette(const Image& image, const Palette& palette);

} // namespace paint
