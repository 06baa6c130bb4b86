// The headless display: SDL's software renderer on a memory surface of the back buffer's size.
#include "platform/headless_display.h"

#include <SDL.h>

namespace brisenfall {

headless_display::~headless_display() { close(); }

bool headless_display::open(const display_mode& mode) {
  close();
  if (fail_open) return false;
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  output_ = SDL_CreateRGBSurfaceWithFormat(0, mode.width, mode.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (output_ == nullptr) return false;
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(output_);
  if (renderer == nullptr) return false;
  ++opens_;
  depth_ = mode.depth;
  return attach(renderer, mode);
}

void headless_display::close() {
  detach();
  if (output_ != nullptr) SDL_FreeSurface(output_);
  output_ = nullptr;
}

device_state headless_display::state() { return next_scripted_state(upcoming_states); }

void headless_display::present() {
  ++presents_;
  sdl_display_base::present();
}

uint32_t headless_display::pixel(int32_t x, int32_t y) {
  if (renderer() == nullptr) return 0;
  flush();
  const SDL_Rect one{x, y, 1, 1};
  uint32_t argb = 0;
  SDL_RenderReadPixels(renderer(), &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4);
  return argb;
}

}  // namespace brisenfall
