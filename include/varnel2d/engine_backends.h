// The backends an engine runs on: the real ones by default (an SDL window, SDL input, the system
// clocks, the sound card), the test doubles of <varnel2d/testing/...> in tests, or a program's own.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

// How the window display draws: OpenGL through an SDL renderer, or composed on the CPU and shown as
// an image of the window (for machines whose OpenGL is a software rasteriser or missing).
// `automatic` draws on the CPU exactly there.
enum class display_renderer { automatic, gl, software };

// "auto", "gl" or "software"; nothing for any other name.
std::optional<display_renderer> renderer_named(std::string_view name);

// How the real display opens its window.
struct sdl_display_options {
  std::string driver = "opengl";    // SDL render driver of the gl path: "opengl" batches quads; "software" copies them one by one
  bool vsync = true;                // present waits for the vertical retrace where there is one
  std::string title = "Varnel 2D";  // the title of the window the display opens itself
  display_renderer renderer = display_renderer::automatic;
  int max_fps = 0;                  // frames shown a second at most; 0: the screen's refresh rate (60 where unknown)
};

// The real display: a borderless desktop-size window, always on top, with an SDL renderer.
std::unique_ptr<display_device> make_sdl_display(const sdl_display_options& options = {});

// A real window with the given options, SDL input, the system clocks and the sound card.
engine_backends real_backends(const sdl_display_options& display_options = {});

}  // namespace varnel2d
