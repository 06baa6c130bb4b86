// A window of the test's own on a display, standing in for the program that hosts a preview: it
// finds the window placed inside it, reads its own pixels, and closes or destroys as a host does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace varnel2d::testing {

class host_window {
 public:
  // Opens the display (":N") and maps a window of that client size.
  host_window(const std::string& display_name, int width, int height);
  ~host_window();
  host_window(const host_window&) = delete;
  host_window& operator=(const host_window&) = delete;

  unsigned long id() const;
  // The id in hexadecimal ("0x..."), as XScreenSaver writes it into XSCREENSAVER_WINDOW.
  std::string hex_id() const;
  // The first window placed inside this one that is mapped; 0 when there is none.
  unsigned long mapped_child() const;
  // The colour at a point of the window as 0xRRGGBB (a screenshot of one pixel).
  uint32_t pixel(int x, int y) const;
  // Changes the window's size, as a settings panel resizing its preview pane does.
  void resize(int width, int height) const;
  // Top-level windows of the display that are mapped (children of the root window).
  int mapped_top_level_windows() const;
  // The colour at a point of the whole screen as 0xRRGGBB.
  uint32_t screen_pixel(int x, int y) const;
  // Asks a window to close with WM_DELETE_WINDOW, as a host or window manager does.
  void send_delete_window(unsigned long window) const;
  void destroy();

 private:
  struct x11_state;
  std::unique_ptr<x11_state> x_;
};

}  // namespace varnel2d::testing

// The screensaver's tests reach these helpers as brisenfall::testing as well.
namespace brisenfall::testing {
using namespace varnel2d::testing;
}  // namespace brisenfall::testing
