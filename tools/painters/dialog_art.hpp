// The artwork of the dialogs: the preview picture, the About picture, the configuration
// dialog's banner and separator line, and the window icon in several sizes.
#pragma once

#include "image.hpp"

#include <string>

namespace paint {

constexpr int small_picture_width = 150;
constexpr int small_picture_height = 112;
constexpr int banner_width = 500;
constexpr int banner_height = 43;
constexpr int separator_width = 487;
constexpr int separator_height = 3;
constexpr int icon_sizes[] = {16, 32, 48, 256};

// Writes preview.bmp and about.bmp (150 x 112, 256 colours), banner.png (500 x 43),
// separator.png (487 x 3) and icon-16.png .. icon-256.png, made from the scenes of the strip.
void write_dialog_art(const Image& strip, const std::string& folder);

} // namespace paint
