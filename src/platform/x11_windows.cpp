// Window lookup by title with Xlib.
#include "platform/x11_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace brisenfall {
namespace {

std::string window_title(Display* display, Window window) {
  const Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, net_wm_name, 0, 1024, False, utf8, &type, &format, &count, &remaining,
                         &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
    if (!title.empty()) return title;
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

// Top-level windows sit under the root, or one or two levels down inside a window manager's frames.
bool tree_has_title(Display* display, Window window, const std::string& title, int depth) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return false;
  bool found = false;
  for (unsigned int i = 0; i < count && !found; ++i) {
    found = window_title(display, children[i]) == title ||
            (depth > 1 && tree_has_title(display, children[i], title, depth - 1));
  }
  if (children != nullptr) XFree(children);
  return found;
}

bool x_error_seen = false;

int note_x_error(Display*, XErrorEvent*) {
  x_error_seen = true;
  return 0;
}

int ignore_x_error(Display*, XErrorEvent*) { return 0; }

}  // namespace

void x11_survive_errors() {
  const XErrorHandler previous = XSetErrorHandler(ignore_x_error);
  // Inside a trap the trap's handler stays in force until the trap ends.
  if (previous == note_x_error) XSetErrorHandler(note_x_error);
}

x11_error_trap::x11_error_trap() : previous_(reinterpret_cast<void (*)()>(XSetErrorHandler(note_x_error))) {}

x11_error_trap::~x11_error_trap() { XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_)); }

bool x11_error_trap::failed(Display* display) {
  XSync(display, False);
  const bool seen = x_error_seen;
  x_error_seen = false;
  return seen;
}

bool x11_window_manager_running() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  bool running = false;
  if (check != None) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    running = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                                 &count, &remaining, &data) == Success &&
              count == 1;
    if (data != nullptr) XFree(data);
  }
  XCloseDisplay(display);
  return running;
}

bool x11_window_titled_exists(const std::string& title) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  bool found = false;
  {
    // A window may vanish while the tree is walked; its errors are of no interest here.
    x11_error_trap trap;
    found = tree_has_title(display, DefaultRootWindow(display), title, 3);
    trap.failed(display);
  }
  XCloseDisplay(display);
  return found;
}

}  // namespace brisenfall
