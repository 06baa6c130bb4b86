// Top-level window lookup by title with Xlib: is a show already running?
#include "desktop/x11_window_lookup.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <varnel2d/x11_windows.h>

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

}  // namespace

bool x11_window_titled_exists(const std::string& title) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  bool found = false;
  {
    // A window may vanish while the tree is walked; its errors are of no interest here.
    varnel2d::x11_error_trap trap;
    found = tree_has_title(display, DefaultRootWindow(display), title, 3);
    trap.failed(display);
  }
  XCloseDisplay(display);
  return found;
}

}  // namespace brisenfall
