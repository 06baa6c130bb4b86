// The headless display: SDL's software renderer on a memory surface of the back buffer's size.
#include <varnel2d/testing/headless_display.h>

#include <SDL.h>

#include "engine/backends/sdl_display_base.h"

namespace varnel2d {

// The drawing half: the shared SDL display code on a software renderer over a memory surface.
class memory_renderer final : public sdl_display_base {
 public:
  ~memory_renderer() override { close(); }

  bool open(const display_mode& mode) override {
    close();
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    output_ = SDL_CreateRGBSurfaceWithFormat(0, mode.width, mode.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (output_ == nullptr) return false;
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(output_);
    return renderer != nullptr && attach(renderer, mode);
  }

  void close() override {
    detach();
    if (output_ != nullptr) SDL_FreeSurface(output_);
    output_ = nullptr;
  }

  device_state state() override { return device_state::usable; }

  uint32_t pixel(int32_t x, int32_t y) {
    if (renderer() == nullptr) return 0;
    flush();
    const SDL_Rect one{x, y, 1, 1};
    uint32_t argb = 0;
    SDL_RenderReadPixels(renderer(), &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4);
    return argb;
  }

 private:
  SDL_Surface* output_ = nullptr;
};

headless_display::headless_display() : renderer_(std::make_unique<memory_renderer>()) {}

headless_display::~headless_display() = default;

bool headless_display::open(const display_mode& mode) {
  renderer_->close();
  if (fail_open || !renderer_->open(mode)) return false;
  ++opens_;
  depth_ = mode.depth;
  return true;
}

void headless_display::close() { renderer_->close(); }

device_state headless_display::state() { return next_scripted_state(upcoming_states); }

image_size headless_display::max_texture_size() { return renderer_->max_texture_size(); }

image_handle headless_display::load_texture(const std::string& file, uint32_t colour_key) {
  return renderer_->load_texture(file, colour_key);
}

image_handle headless_display::load_surface(const std::string& file) { return renderer_->load_surface(file); }

void headless_display::release(image_handle image) { renderer_->release(image); }

image_size headless_display::size_of(image_handle image) { return renderer_->size_of(image); }

void headless_display::begin_frame() { renderer_->begin_frame(); }

void headless_display::copy_surface(image_handle surface) { renderer_->copy_surface(surface); }

void headless_display::draw(const sprite_quad& quad) { renderer_->draw(quad); }

void headless_display::draw_text(const text_request& request) { renderer_->draw_text(request); }

void headless_display::present() {
  ++presents_;
  renderer_->present();
}

bool headless_display::save_screenshot(const std::string& file) { return renderer_->save_screenshot(file); }

uint32_t headless_display::pixel(int32_t x, int32_t y) { return renderer_->pixel(x, y); }

}  // namespace varnel2d
