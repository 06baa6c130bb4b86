// The real display: a borderless desktop-size window, always on top, with an SDL renderer.
#pragma once

#include <memory>
#include <string>

#include "platform/display_device.h"

namespace brisenfall {

struct sdl_display_options {
  std::string driver = "opengl";  // "opengl" batches quads; "software" copies them one by one
  bool vsync = true;              // Present waits for the vertical retrace where there is one
  std::string title = "Brisenfall";  // the title of the window the display opens itself
};

std::unique_ptr<display_device> make_sdl_display(const sdl_display_options& options = {});

}  // namespace brisenfall
