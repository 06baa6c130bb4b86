// Host windows on Xlib for end-to-end tests.
#include "support/host_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace varnel2d::testing {

struct host_window::x11_state {
  Display* display = nullptr;
  Window window = 0;
};

host_window::host_window(const std::string& display_name, int width, int height) : x_(std::make_unique<x11_state>()) {
  x_->display = XOpenDisplay(display_name.c_str());
  if (x_->display == nullptr) throw std::runtime_error("cannot open display " + display_name);
  const int screen = DefaultScreen(x_->display);
  x_->window = XCreateSimpleWindow(x_->display, RootWindow(x_->display, screen), 20, 20, static_cast<unsigned>(width),
                                   static_cast<unsigned>(height), 0, WhitePixel(x_->display, screen),
                                   WhitePixel(x_->display, screen));
  XStoreName(x_->display, x_->window, "Preview Host");
  XMapWindow(x_->display, x_->window);
  XSync(x_->display, False);
}

host_window::~host_window() {
  destroy();
  XCloseDisplay(x_->display);
}

unsigned long host_window::id() const { return x_->window; }

std::string host_window::hex_id() const {
  char text[24];
  std::snprintf(text, sizeof text, "0x%lx", x_->window);
  return text;
}

namespace {

// The windows placed inside `parent` that are mapped.
std::vector<Window> mapped_children(Display* display, Window parent) {
  Window root = 0, up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> mapped;
  if (parent == 0 || XQueryTree(display, parent, &root, &up, &children, &count) == 0) return mapped;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable)
      mapped.push_back(children[i]);
  }
  if (children != nullptr) XFree(children);
  return mapped;
}

uint32_t pixel_of(Display* display, Window window, int x, int y) {
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0xFFFFFFFF;
  const auto value = static_cast<uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
  XDestroyImage(image);
  return value;
}

}  // namespace

unsigned long host_window::mapped_child() const {
  const std::vector<Window> mapped = mapped_children(x_->display, x_->window);
  return mapped.empty() ? 0 : mapped.front();
}

int host_window::mapped_top_level_windows() const {
  return static_cast<int>(mapped_children(x_->display, DefaultRootWindow(x_->display)).size());
}

uint32_t host_window::pixel(int x, int y) const { return pixel_of(x_->display, x_->window, x, y); }

uint32_t host_window::screen_pixel(int x, int y) const {
  return pixel_of(x_->display, DefaultRootWindow(x_->display), x, y);
}

void host_window::resize(int width, int height) const {
  XResizeWindow(x_->display, x_->window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(x_->display, False);
}

void host_window::send_delete_window(unsigned long window) const {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(x_->display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(x_->display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(x_->display, window, False, NoEventMask, &event);
  XSync(x_->display, False);
}

void host_window::destroy() {
  if (x_->window == 0) return;
  XDestroyWindow(x_->display, x_->window);
  XSync(x_->display, False);
  x_->window = 0;
}

}  // namespace varnel2d::testing
