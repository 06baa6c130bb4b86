// Xlib helpers of the display backend: X errors against foreign windows, window manager detection.
#include <varnel2d/x11_windows.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace varnel2d {
namespace {

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

}  // namespace varnel2d
