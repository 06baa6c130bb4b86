// Top-level window lookup by title with Xlib.
#pragma once

#include <string>

namespace brisenfall {

// True when a top-level window of the display has exactly this title; false without a display.
bool x11_window_titled_exists(const std::string& title);

}  // namespace brisenfall
