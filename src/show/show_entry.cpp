// The real show: the window titled "Screensaver Form", and window events pumped once a frame.
#include "show/show_entry.h"

#include "engine/Varnel_2D_Engine.h"
#include "platform/event_pump.h"
#include "platform/termination_signals.h"
#include "shell/startup.h"
#include "show/show_window.h"

namespace brisenfall {

int run_show(shell_state& shell, system_services& system) {
  catch_termination_signals();
  show_services services{
      system,
      [] {
        sdl_display_options display;
        display.title = SHOW_WINDOW_TITLE;
        return std::make_unique<Varnel_2D_Engine>(real_backends(display));
      },
      [] {
        let_pending_events_run();
        return take_close_request();
      },
  };
  frmMain window(shell, std::move(services));
  window.show_window();
  return 0;
}

}  // namespace brisenfall
