// The names of the pictures the dialogs and the preview load from the data folder.
#pragma once

namespace brisenfall {

inline constexpr const char* BANNER_PICTURE_FILE = "banner.png";        // 500 x 43, top of the configuration dialog
inline constexpr const char* SEPARATOR_PICTURE_FILE = "separator.png";  // thin line, stretched to 487 x 3
inline constexpr const char* ABOUT_PICTURE_FILE = "about.bmp";          // 150 x 112, 256 colours
inline constexpr const char* PREVIEW_PICTURE_FILE = "preview.bmp";      // 150 x 112, 256 colours
// The window icon, one file a size.
inline constexpr const char* ICON_PICTURE_FILES[] = {"icon-16.png", "icon-32.png", "icon-48.png", "icon-256.png"};

}  // namespace brisenfall
