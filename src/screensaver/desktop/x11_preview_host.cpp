// The preview host on Xlib.
#include "desktop/x11_preview_host.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <SDL.h>

#include <bit>
#include <poll.h>
#include <vector>

#include <varnel2d/x11_windows.h>

namespace brisenfall {
namespace {

constexpr unsigned int FIRST_SIZE = 16;

// The picture as 0x00RRGGBB pixels, row after row; empty when the file cannot be read.
std::vector<uint32_t> load_picture(const std::string& path, int& width, int& height) {
  std::vector<uint32_t> pixels;
  SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
  if (loaded == nullptr) return pixels;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(loaded);
  if (rgb == nullptr) return pixels;
  width = rgb->w;
  height = rgb->h;
  pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const char*>(rgb->pixels) + y * rgb->pitch);
    std::copy(row, row + width, pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
  }
  SDL_FreeSurface(rgb);
  return pixels;
}

// True when the visual takes 0x00RRGGBB pixels as they are.
bool takes_rgb_pixels(const Visual* visual, int depth) {
  return (depth == 24 || depth == 32) && visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
         visual->blue_mask == 0xFF;
}

Window window_id(int32_t window) { return static_cast<Window>(static_cast<uint32_t>(window)); }

}  // namespace

struct x11_preview_host::x11_state {
  varnel2d::x11_error_trap trap;  // first in, last out: covers every request below
  Display* display = nullptr;
  Window form = 0;
  Window picture = 0;
  GC gc = nullptr;
  Atom wm_protocols = None;
  Atom wm_delete_window = None;
  std::vector<uint32_t> pixels;
  XImage* image = nullptr;

  void paint() {
    if (image != nullptr)
      XPutImage(display, picture, gc, image, 0, 0, 0, 0, static_cast<unsigned>(image->width),
                static_cast<unsigned>(image->height));
  }
};

x11_preview_host::x11_preview_host(const std::string& picture_path)
    : x_(std::make_unique<x11_state>()), procedure_([](preview_message) {
        // The window's own handling: requests from outside are left alone.
      }) {
  x_->display = XOpenDisplay(nullptr);
  Display* display = x_->display;
  if (display == nullptr) return;
  const int screen = DefaultScreen(display);
  const unsigned long black = BlackPixel(display, screen);
  x_->form = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, FIRST_SIZE, FIRST_SIZE, 0, black, black);
  XStoreName(display, x_->form, "Brisenfall Screensaver - Preview");
  x_->picture = XCreateSimpleWindow(display, x_->form, 0, 0, FIRST_SIZE, FIRST_SIZE, 0, black, black);
  XSelectInput(display, x_->picture, ExposureMask);
  x_->wm_protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  x_->wm_delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, x_->picture, &x_->wm_delete_window, 1);
  x_->gc = XCreateGC(display, x_->picture, 0, nullptr);
  // Mapped inside the form that is never shown: it becomes visible once it sits in the host.
  XMapWindow(display, x_->picture);

  int width = 0, height = 0;
  x_->pixels = load_picture(picture_path, width, height);
  Visual* visual = DefaultVisual(display, screen);
  const int depth = DefaultDepth(display, screen);
  if (!x_->pixels.empty() && takes_rgb_pixels(visual, depth)) {
    x_->image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                             reinterpret_cast<char*>(x_->pixels.data()), static_cast<unsigned>(width),
                             static_cast<unsigned>(height), 32, width * 4);
    if (x_->image != nullptr) x_->image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  }
  XFlush(display);
}

x11_preview_host::~x11_preview_host() {
  Display* display = x_->display;
  if (display == nullptr) return;
  if (x_->image != nullptr) {
    x_->image->data = nullptr;  // the pixels belong to the vector
    XDestroyImage(x_->image);
  }
  XFreeGC(display, x_->gc);
  // The picture may already be gone with its host; that error is trapped.
  XDestroyWindow(display, x_->picture);
  XDestroyWindow(display, x_->form);
  x_->trap.failed(display);
  XCloseDisplay(display);
}

picture_procedure x11_preview_host::replace_picture_procedure(picture_procedure procedure) {
  std::swap(procedure_, procedure);
  return procedure;
}

preview_rectangle x11_preview_host::get_client_rect(int32_t window) {
  if (x_->display == nullptr || window == 0) return {};
  x_->trap.failed(x_->display);
  XWindowAttributes attributes{};
  const Status status = XGetWindowAttributes(x_->display, window_id(window), &attributes);
  if (x_->trap.failed(x_->display) || status == 0) return {};
  return {0, 0, attributes.width, attributes.height};
}

void x11_preview_host::move_picture(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (x_->display == nullptr) return;
  XMoveResizeWindow(x_->display, x_->picture, left, top, static_cast<unsigned>(std::max(width, 1)),
                    static_cast<unsigned>(std::max(height, 1)));
  XFlush(x_->display);
}

void x11_preview_host::set_picture_parent(int32_t window) {
  if (x_->display == nullptr) return;
  XReparentWindow(x_->display, x_->picture, window == 0 ? x_->form : window_id(window), 0, 0);
  XFlush(x_->display);
}

bool x11_preview_host::is_window(int32_t window) {
  if (x_->display == nullptr || window == 0) return false;
  x_->trap.failed(x_->display);
  XWindowAttributes attributes{};
  const Status status = XGetWindowAttributes(x_->display, window_id(window), &attributes);
  return !x_->trap.failed(x_->display) && status != 0;
}

void x11_preview_host::run_events_for(std::chrono::milliseconds time) {
  const auto deadline = std::chrono::steady_clock::now() + time;
  if (x_->display == nullptr) {
    poll(nullptr, 0, static_cast<int>(time.count()));
    return;
  }
  for (;;) {
    while (XPending(x_->display) > 0) {
      XEvent event;
      XNextEvent(x_->display, &event);
      if (event.type == Expose && event.xexpose.window == x_->picture && event.xexpose.count == 0) x_->paint();
      if (event.type == ClientMessage && event.xclient.window == x_->picture) {
        const bool close = event.xclient.message_type == x_->wm_protocols &&
                           static_cast<Atom>(event.xclient.data.l[0]) == x_->wm_delete_window;
        // The procedure may replace itself; call a copy.
        const picture_procedure procedure = procedure_;
        procedure(close ? preview_message::close : preview_message::other);
      }
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
    pollfd connection{ConnectionNumber(x_->display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()) + 1);
  }
}

}  // namespace brisenfall
