// The real show: the window titled "Screensaver Form", or a host's window, and window events
// pumped once a frame.
#include "show/show_entry.h"

#include <cstdlib>
#include <iostream>

#include <varnel2d/Varnel_2D_Engine.h>
#include "desktop/event_pump.h"
#include "desktop/show_host.h"
#include <varnel2d/termination_signals.h>
#include "shell/run_options.h"
#include "shell/startup.h"
#include "show/show_window.h"

namespace brisenfall {
namespace {

// While the host's window cannot be seen the show looks again this often.
constexpr std::chrono::milliseconds HIDDEN_WAIT{50};

}  // namespace

int run_show(shell_state& shell, system_services& system, const show_placement& placement) {
  const varnel2d::termination_signal_catcher catcher;
  show_host* host = placement.host;
  std::string warning;
  const varnel2d::display_renderer renderer =
      choose_renderer(placement.renderer, std::getenv("BRISENFALL_RENDERER"), warning);
  if (!warning.empty()) std::cerr << warning << '\n';
  show_services services{
      system,
      [with_sound = placement.with_sound, renderer, max_fps = placement.max_fps] {
        varnel2d::sdl_display_options display;
        display.title = SHOW_WINDOW_TITLE;
        display.renderer = renderer;
        display.max_fps = max_fps;
        varnel2d::engine_backends backends = varnel2d::real_backends(display);
        if (!with_sound) backends.audio.reset();
        return std::make_unique<Varnel_2D_Engine>(std::move(backends));
      },
      [host] {
        let_pending_events_run();
        const bool host_gone = host != nullptr && host->poll().gone;
        return take_close_request() || host_gone;
      },
      0,
      true,
      placement.statistics,
      {},
  };
  if (host != nullptr) {
    services.window = host->window();
    services.input_ends_show = false;
    services.window_visible = [host] {
      const host_view view = host->poll();
      return view.gone || view.visible || host->wait(HIDDEN_WAIT).visible;
    };
  }
  frmMain window(shell, std::move(services));
  window.show_window();
  // Ends from outside are normal for a screensaver, but a host's log should say which one it was.
  if (varnel2d::termination_requested()) {
    std::cerr << "brisenfall: " << varnel2d::termination_signal_name() << " received; the show has ended\n";
  } else if (host != nullptr && host->poll().gone) {
    std::cerr << "brisenfall: the host window 0x" << std::hex << host->window() << std::dec
              << " is gone; the show has ended\n";
  }
  return window.failed() ? EXIT_SHOW_FAILED : 0;
}

}  // namespace brisenfall
