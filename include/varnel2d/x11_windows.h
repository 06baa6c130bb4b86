// Xlib helpers for programs that draw into the windows of other programs (screensaver hosts,
// settings panels): X errors against a window that vanished are noted instead of ending the program.
#pragma once

struct _XDisplay;

namespace varnel2d {

// While it lives, X errors (a foreign window that vanished, a bad window id) are noted here instead
// of ending the program.
class x11_error_trap {
 public:
  x11_error_trap();
  ~x11_error_trap();
  x11_error_trap(const x11_error_trap&) = delete;
  x11_error_trap& operator=(const x11_error_trap&) = delete;

  // Waits until the display has answered every request made so far; true when one of them failed
  // since the last call.
  bool failed(_XDisplay* display);

 private:
  // The handler in force before, kept as a plain function pointer (Xlib's event type cannot be
  // declared ahead).
  void (*previous_)();
};

// From now on an X error anywhere in the process (a host window that vanished under the renderer)
// is ignored instead of ending the program. SDL installs a handler that exits, so this is called
// after SDL has opened its window, and again whenever SDL may have put its own back.
void x11_survive_errors();

// True when a window manager that follows the desktop conventions runs on the display.
bool x11_window_manager_running();

}  // namespace varnel2d
