// Show mode's entry: the show window on the real display, input, clock and sound card.
#pragma once

#include <optional>

#include <varnel2d/display_device.h>
#include <varnel2d/engine_backends.h>
#include "desktop/system_services.h"
#include "shell/shell_state.h"

namespace brisenfall {

class show_host;

// Where and how a show runs.
struct show_placement {
  show_host* host = nullptr;  // none: a full-screen window of the show's own, ended by keys and mouse
  bool with_sound = true;     // false: no sound device is opened at all
  bool statistics = false;    // the engine's statistics line
  std::optional<varnel2d::display_renderer> renderer;  // none: BRISENFALL_RENDERER, else automatic
  int max_fps = 0;                                     // 0: the screen's refresh rate
};

// The exit code of a show that could not start or could not go on (see frmMain::failed).
inline constexpr int EXIT_SHOW_FAILED = 1;

// Runs the show until it ends (input, a close request, SIGTERM or SIGINT, the loss of the host's
// window); returns the exit code: 0, or EXIT_SHOW_FAILED. An end by a signal or by the host's loss
// is named on stderr.
int run_show(shell_state& shell, system_services& system, const show_placement& placement = {});

}  // namespace brisenfall
