// frmMain, the show's full-screen window titled "Screensaver Form": its load, first activation
// (main_loop: set-up, frame loop, shutdown), close request and unload.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <varnel2d/display_device.h>
#include "desktop/system_services.h"
#include "shell/shell_state.h"
#include "show/show_state.h"

class Varnel_2D_Engine;

namespace brisenfall {

// What the show stands on besides its settings.
struct show_services {
  system_services& system;
  // Creates the engine object; the real one opens the window titled "Screensaver Form".
  std::function<std::unique_ptr<Varnel_2D_Engine>()> make_engine;
  // Lets pending window events run once; true when a close request came in meanwhile.
  std::function<bool()> run_pending_events;
  // The window to draw into: 0 for a full-screen window of the show's own, else a host's window.
  varnel2d::native_window window = 0;
  // In a host's window the host ends the show: keys, clicks and movement do not.
  bool input_ends_show = true;
  // The engine's statistics line, and the frame rate printed on stdout once a second.
  bool statistics = false;
  // Whether drawing would be seen now; while not, it waits a little for a change and the frame is
  // not drawn. Empty: always seen.
  std::function<bool()> window_visible = {};
};

// The files of the data folder the show cannot do without, in loading order.
std::vector<std::string> show_picture_files();

class frmMain {
 public:
  frmMain(shell_state& shell, show_services services);
  ~frmMain();

  // Loads the window, runs the show on its first activation and returns once it is unloaded.
  void show_window();
  // The close request: true lets the window close; while the show runs it ends the loop instead.
  bool close_request();

  const show_state& state() const { return show_; }
  int unload_count() const { return unload_count_; }
  // True when the show could not start or could not go on: pictures missing, no display, or a
  // display lost for good.
  bool failed() const { return failed_; }

 private:
  void form_load();
  void main_loop();
  bool setup();
  void frame();
  void shutdown();
  void form_unload();
  void count_mouse_movement();
  void print_framerate();
  bool report_missing_files();

  shell_state& shell_;
  show_services services_;
  show_state show_;
  std::unique_ptr<Varnel_2D_Engine> engine_;
  bool started_ = false;
  int16_t password_in_use_ = 0;
  int32_t windows_platform_ = 0;
  int unload_count_ = 0;
  bool failed_ = false;
  std::optional<uint32_t> last_framerate_print_;  // the tick count at the last print
};

}  // namespace brisenfall
