// Show mode's entry: the show window on the real display, input, clock and sound card.
#pragma once

#include "platform/system_services.h"
#include "shell/shell_state.h"

namespace brisenfall {

// Runs the show until it ends (input, a close request, SIGTERM or SIGINT); returns the exit code.
int run_show(shell_state& shell, system_services& system);

}  // namespace brisenfall
