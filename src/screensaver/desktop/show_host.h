// The host seam: a window of another program (a screensaver daemon, a settings panel's preview
// pane) or the root window that the show draws into, watched for loss, visibility and size.
// Backend: x11_show_host. The display itself follows the window's size; this seam tells the show
// whether to go on, and whether drawing would be seen.
#pragma once

#include <chrono>
#include <memory>

#include <varnel2d/display_device.h>

namespace brisenfall {

struct host_view {
  int32_t width = 0, height = 0;
  bool gone = false;    // destroyed, or its display went away
  bool visible = true;  // mapped and not fully covered
};

class show_host {
 public:
  virtual ~show_host() = default;
  // The window to draw into.
  virtual varnel2d::native_window window() const = 0;
  // The size of the whole screen the window lies on.
  virtual varnel2d::image_size screen_size() const = 0;
  // Runs the window's pending events and returns its state.
  virtual host_view poll() = 0;
  // Waits up to `time` for an event of the window (a signal cuts it short), then polls.
  virtual host_view wait(std::chrono::milliseconds time) = 0;
};

// Watches this window, or the root window for 0; none when there is no display or no such window.
std::unique_ptr<show_host> open_x11_show_host(varnel2d::native_window window);

}  // namespace brisenfall
