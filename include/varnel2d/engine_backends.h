// The backends an engine runs on: the real ones by default (an SDL window, SDL input, the system
// clocks, the sound card), the test doubles of <varnel2d/testing/...> in tests, or a program's own.
#pragma once

#include <memory>
#include <string>

#include <varnel2d/audio_output.h>
#include <varnel2d/clock.h>
#include <varnel2d/display_device.h>
#include <varnel2d/input_device.h>

namespace varnel2d {

struct engine_backends {
  std::unique_ptr<display_device> display;
  std::unique_ptr<input_device> input;
  std::unique_ptr<clock_source> clock;
  std::unique_ptr<audio_output> audio;  // none: the engine runs silently
};

// How the real display opens its window.
struct sdl_display_options {
  std::string driver = "opengl";    // SDL render driver: "opengl" batches quads; "software" copies them one by one
  bool vsync = true;                // present waits for the vertical retrace where there is one
  std::string title = "Varnel 2D";  // the title of the window the display opens itself
};

// The real display: a borderless desktop-size window, always on top, with an SDL renderer.
std::unique_ptr<display_device> make_sdl_display(const sdl_display_options& options = {});

// A real window with the given options, SDL input, the system clocks and the sound card.
engine_backends real_backends(const sdl_display_options& display_options = {});

}  // namespace varnel2d
