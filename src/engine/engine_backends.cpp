// The real backends.
#include "engine/engine_backends.h"

#include "platform/sdl_clock.h"
#include "platform/sdl_input.h"

namespace brisenfall {

engine_backends real_backends(const sdl_display_options& display_options) {
  return {make_sdl_display(display_options), make_sdl_input(), make_sdl_clock(), make_device_audio_output()};
}

}  // namespace brisenfall
