// The host seam on Xlib: a connection of our own watching the host window's structure and
// visibility events (DestroyNotify, UnmapNotify, MapNotify, ConfigureNotify, VisibilityNotify).
#include "desktop/show_host.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <varnel2d/x11_windows.h>

namespace brisenfall {
namespace {

class x11_show_host final : public show_host {
 public:
  x11_show_host(Display* display, Window window) : display_(display), window_(window) {}
  ~x11_show_host() override { XCloseDisplay(display_); }
  x11_show_host(const x11_show_host&) = delete;
  x11_show_host& operator=(const x11_show_host&) = delete;

  // Selects the window's events and reads its state; false when the window does not exist.
  bool watch() {
    varnel2d::x11_error_trap trap;
    XWindowAttributes attributes{};
    const Status status = XGetWindowAttributes(display_, window_, &attributes);
    if (trap.failed(display_) || status == 0) return false;
    XSelectInput(display_, window_, attributes.your_event_mask | StructureNotifyMask | VisibilityChangeMask);
    if (trap.failed(display_)) return false;
    view_.width = attributes.width;
    view_.height = attributes.height;
    mapped_ = attributes.map_state == IsViewable;
    XWindowAttributes root{};
    XGetWindowAttributes(display_, attributes.root, &root);
    screen_ = {root.width, root.height};
    update_visible();
    return true;
  }

  varnel2d::native_window window() const override { return window_; }
  varnel2d::image_size screen_size() const override { return screen_; }

  host_view poll() override {
    // The renderer may have put SDL's exiting handler back; a vanished host must not end us there.
    varnel2d::x11_survive_errors();
    while (!view_.gone && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      take(event);
    }
    return view_;
  }

  host_view wait(std::chrono::milliseconds time) override {
    if (XPending(display_) == 0) {
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      ::poll(&connection, 1, static_cast<int>(time.count()));
    }
    return poll();
  }

 private:
  void take(const XEvent& event) {
    switch (event.type) {
      case DestroyNotify:
        if (event.xdestroywindow.window == window_) view_.gone = true;
        break;
      case UnmapNotify:
        if (event.xunmap.window == window_) mapped_ = false;
        break;
      case MapNotify:
        if (event.xmap.window == window_) mapped_ = true;
        break;
      case ConfigureNotify:
        if (event.xconfigure.window == window_) {
          view_.width = event.xconfigure.width;
          view_.height = event.xconfigure.height;
        }
        break;
      case VisibilityNotify:
        if (event.xvisibility.window == window_) covered_ = event.xvisibility.state == VisibilityFullyObscured;
        break;
      default:
        break;
    }
    update_visible();
  }

  void update_visible() { view_.visible = mapped_ && !covered_; }

  Display* display_;
  Window window_;
  host_view view_;
  varnel2d::image_size screen_;
  bool mapped_ = true;
  bool covered_ = false;
};

}  // namespace

std::unique_ptr<show_host> open_x11_show_host(varnel2d::native_window window) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  const Window target = window == 0 ? DefaultRootWindow(display) : static_cast<Window>(window);
  auto host = std::make_unique<x11_show_host>(display, target);
  if (!host->watch()) return nullptr;
  return host;
}

}  // namespace brisenfall
