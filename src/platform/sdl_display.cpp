// The window backend of the display seam. The window covers the desktop at (0, 0) without borders,
// so it is full screen with or without a window manager; renderer resets mark the device for a rebuild.
#include "platform/sdl_display.h"

#include <SDL.h>

#include "platform/sdl_display_base.h"

namespace brisenfall {
namespace {

class sdl_display final : public sdl_display_base {
 public:
  explicit sdl_display(sdl_display_options options) : options_(std::move(options)) {}
  ~sdl_display() override { close(); }

  bool open(const display_mode& mode) override {
    close();
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, options_.driver.c_str());
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");  // choosing a driver turns batching off otherwise
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    video_ = true;
    if (mode.window != 0) {
      SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
      window_ = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<uintptr_t>(mode.window)));
    } else {
      SDL_DisplayMode desktop{};
      if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
      window_ = SDL_CreateWindow(options_.title.c_str(), 0, 0, desktop.w, desktop.h,
                                 SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    if (window_ == nullptr) return false;
    SDL_RaiseWindow(window_);
    // Without a window manager (a bare X server) nobody else gives the new window the keyboard.
    if (mode.window == 0) SDL_SetWindowInputFocus(window_);
    Uint32 flags = SDL_RENDERER_TARGETTEXTURE;
    if (options_.vsync) flags |= SDL_RENDERER_PRESENTVSYNC;
    SDL_Renderer* renderer = SDL_CreateRenderer(window_, -1, flags);
    if (renderer == nullptr) return false;
    reset_ = false;
    SDL_AddEventWatch(&sdl_display::watch, this);
    watching_ = true;
    return attach(renderer, mode);
  }

  void close() override {
    if (watching_) SDL_DelEventWatch(&sdl_display::watch, this);
    watching_ = false;
    detach();
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    window_ = nullptr;
    if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    video_ = false;
  }

  void hide() override {
    if (window_ != nullptr) SDL_HideWindow(window_);
  }

  device_state state() override { return reset_ ? device_state::ready_to_rebuild : device_state::usable; }

 private:
  // Runs for every event as it is queued, whoever drains the queue later.
  static int watch(void* self, SDL_Event* event) {
    if (event->type == SDL_RENDER_DEVICE_RESET || event->type == SDL_RENDER_TARGETS_RESET)
      static_cast<sdl_display*>(self)->reset_ = true;
    return 0;
  }

  sdl_display_options options_;
  SDL_Window* window_ = nullptr;
  bool video_ = false;
  bool watching_ = false;
  bool reset_ = false;
};

}  // namespace

std::unique_ptr<display_device> make_sdl_display(const sdl_display_options& options) {
  return std::make_unique<sdl_display>(options);
}

}  // namespace brisenfall
