// The platform backends an engine runs on: the real ones by default, doubles in tests.
#pragma once

#include <memory>

#include "platform/audio_output.h"
#include "platform/clock.h"
#include "platform/display_device.h"
#include "platform/input_device.h"
#include "platform/sdl_display.h"

namespace brisenfall {

struct engine_backends {
  std::unique_ptr<display_device> display;
  std::unique_ptr<input_device> input;
  std::unique_ptr<clock_source> clock;
  std::unique_ptr<audio_output> audio;  // none: the engine runs silently
};

// A real window with the "opengl" renderer, SDL input, the system clocks and the sound card.
engine_backends real_backends(const sdl_display_options& display_options = {});

}  // namespace brisenfall
