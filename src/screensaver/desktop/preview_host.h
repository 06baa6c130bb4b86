// The preview's seam to the window system: a picture window that can be moved into a window of
// another program (the host), the host's client rectangle, a test whether the host still exists,
// and the picture window's messages handed to a replaceable procedure.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace brisenfall {

// A client rectangle in pixels.
struct preview_rectangle {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The messages the picture window receives from outside.
enum class preview_message {
  close,  // the host asks the window to close (WM_DELETE_WINDOW)
  other,  // any other request sent to the window
};

// The procedure that handles the picture window's messages.
using picture_procedure = std::function<void(preview_message)>;

class preview_host {
 public:
  virtual ~preview_host() = default;

  // Installs a new procedure for the picture window and returns the one it replaces.
  virtual picture_procedure replace_picture_procedure(picture_procedure procedure) = 0;
  // The client rectangle of a window: 0, 0, width, height; all zero when it is not a window.
  virtual preview_rectangle get_client_rect(int32_t window) = 0;
  // Moves and sizes the picture window inside its parent, in pixels.
  virtual void move_picture(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
  // Makes the picture window a child of that window; 0 gives it back to the program's own hidden form.
  virtual void set_picture_parent(int32_t window) = 0;
  // True while the window exists.
  virtual bool is_window(int32_t window) = 0;
  // Handles the window events that arrive during that time (drawing, messages to the procedure).
  virtual void run_events_for(std::chrono::milliseconds time) = 0;
};

}  // namespace brisenfall
