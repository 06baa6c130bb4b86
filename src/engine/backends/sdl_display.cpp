// The window backend of the display seam. The window covers the desktop at (0, 0) without borders,
// so it is full screen with or without a window manager, or it is a host's window (foreign to SDL)
// whose size changes it follows. Renderer resets mark the device for a rebuild. Frames are shown
// at most at the screen's refresh rate (or a lower cap), waiting where the display has no vertical
// retrace. The drawing half is the SDL renderer's or the CPU compositor's, chosen when the display
// is made.
#include <varnel2d/engine_backends.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <chrono>
#include <iostream>
#include <thread>

#include "engine/backends/frame_pacing.h"
#include "engine/backends/renderer_choice.h"
#include "engine/backends/sdl_display_base.h"
#include "engine/backends/software_display.h"
#include <varnel2d/x11_windows.h>

namespace varnel2d {
namespace {

template <class drawing>
class window_display final : public drawing {
 public:
  explicit window_display(sdl_display_options options) : options_(std::move(options)) {}
  ~window_display() override { close(); }

  bool open(const display_mode& mode) override {
    close();
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, options_.driver.c_str());
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");  // choosing a driver turns batching off otherwise
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    video_ = true;
    if (mode.window != 0) {
      if (drawing::draws_with_opengl) SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
      // SDL reads the host's window at once; if it is gone already, that error must not end us.
      x11_survive_errors();
      window_ = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<uintptr_t>(mode.window)));
      if (window_ != nullptr) follow_foreign_window();
    } else {
      SDL_DisplayMode desktop{};
      if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
      // A window manager is asked for full screen, so that panels go under the show. Without one the
      // desktop-size window at (0, 0) already covers everything, and the full-screen flag would
      // only make SDL wait in vain for a manager's answer when the window goes.
      const Uint32 fullscreen = x11_window_manager_running() ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
      window_ = SDL_CreateWindow(options_.title.c_str(), 0, 0, desktop.w, desktop.h,
                                 SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | fullscreen);
    }
    // SDL dereferences the attributes of a host's window that is gone while it makes the renderer.
    if (window_ == nullptr || foreign_window_gone()) return false;
    if (mode.window == 0) {
      SDL_RaiseWindow(window_);
      // Without a window manager (a bare X server) nobody else gives the new window the keyboard.
      SDL_SetWindowInputFocus(window_);
    }
    SDL_DisplayMode current{};
    const int screen = SDL_GetWindowDisplayIndex(window_);
    const int refresh = SDL_GetCurrentDisplayMode(screen < 0 ? 0 : screen, &current) == 0 ? current.refresh_rate : 0;
    pacer_ = frame_pacer(options_.max_fps > 0 ? options_.max_fps : cap_rate(refresh));
    reset_ = false;
    SDL_AddEventWatch(&window_display::watch, this);
    watching_ = true;
    return this->attach_window(window_, mode, options_.vsync);
  }

  void close() override {
    foreign_display_ = nullptr;
    foreign_gone_ = false;
    if (watching_) SDL_DelEventWatch(&window_display::watch, this);
    watching_ = false;
    this->detach();
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    window_ = nullptr;
    if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    video_ = false;
  }

  // Only a window of our own is hidden: a host's window is the host's to unmap, and SDL would
  // wait for an unmap that the host's window never reports to it.
  void hide() override {
    if (window_ != nullptr && foreign_display_ == nullptr) SDL_HideWindow(window_);
  }

  device_state state() override { return reset_ ? device_state::ready_to_rebuild : device_state::usable; }

  bool window_gone() override { return foreign_window_gone(); }

  void present() override {
    // Drawing into a window that is gone is slow with software GL, and shows nothing.
    if (foreign_window_gone()) return;
    drawing::present();
    const double now = std::chrono::duration<double, std::milli>(clock::now().time_since_epoch()).count();
    const double wait = pacer_.wait_before_showing(now);
    if (wait > 0) std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(wait));
  }

 private:
  using clock = std::chrono::steady_clock;

  // SDL selects no events on a window it did not make: its own connection is asked for the
  // window's structure events, so that SDL sees resizes and the renderer's output follows them.
  // A host window that vanishes makes the renderer's requests fail: those errors must not end us.
  void follow_foreign_window() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window_, &info) == SDL_FALSE || info.subsystem != SDL_SYSWM_X11) return;
    foreign_display_ = info.info.x11.display;
    foreign_window_ = info.info.x11.window;
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(foreign_display_, foreign_window_, &attributes) == 0) return;
    XSelectInput(foreign_display_, foreign_window_, attributes.your_event_mask | StructureNotifyMask);
    XFlush(foreign_display_);
  }

  // One round trip a frame, on SDL's own connection; a window once gone stays gone.
  bool foreign_window_gone() {
    if (foreign_display_ == nullptr || foreign_gone_) return foreign_gone_;
    x11_survive_errors();
    XWindowAttributes attributes{};
    foreign_gone_ = XGetWindowAttributes(foreign_display_, foreign_window_, &attributes) == 0;
    return foreign_gone_;
  }

  // Runs for every event as it is queued, whoever drains the queue later.
  static int watch(void* self, SDL_Event* event) {
    if (event->type != SDL_RENDER_DEVICE_RESET && event->type != SDL_RENDER_TARGETS_RESET) return 0;
    bool& reset = static_cast<window_display*>(self)->reset_;
    if (!reset) std::cerr << "varnel2d: the display device was reset; rebuilding it\n";
    reset = true;
    return 0;
  }

  sdl_display_options options_;
  SDL_Window* window_ = nullptr;
  bool video_ = false;
  bool watching_ = false;
  bool reset_ = false;
  frame_pacer pacer_{cap_rate(0)};
  Display* foreign_display_ = nullptr;  // SDL's connection, for a host's window only
  Window foreign_window_ = 0;
  bool foreign_gone_ = false;
};

}  // namespace

std::unique_ptr<display_device> make_sdl_display(const sdl_display_options& options) {
  display_renderer chosen = options.renderer;
  if (chosen == display_renderer::automatic) {
    std::optional<std::string> gl;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
      gl = probe_gl_renderer();
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    chosen = resolve_renderer(chosen, gl);
  }
  if (chosen == display_renderer::software) return std::make_unique<window_display<software_display>>(options);
  return std::make_unique<window_display<sdl_display_base>>(options);
}

}  // namespace varnel2d
