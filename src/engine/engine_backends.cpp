// The real backends.
#include <varnel2d/engine_backends.h>

#include "engine/backends/sdl_clock.h"
#include "engine/backends/sdl_input.h"

namespace varnel2d {

engine_backends real_backends(const sdl_display_options& display_options) {
  return {make_sdl_display(display_options), make_sdl_input(), make_sdl_clock(), make_device_audio_output()};
}

}  // namespace varnel2d
