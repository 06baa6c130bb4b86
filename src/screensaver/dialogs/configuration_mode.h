// Configuration mode's entry into the dialogs, free of Qt so that start-up can call it.
#pragma once

#include <functional>

#include "dialogs/music_preview_player.h"
#include "desktop/system_services.h"
#include "shell/shell_state.h"

namespace brisenfall {

// Runs the full show modally and returns when the user has ended it.
using show_runner = std::function<void(shell_state&)>;

// Opens the configuration dialog and runs until it closes; the exit code (1 without a display).
int run_configuration_dialog(shell_state& shell, system_services& system, music_preview_player& player,
                             show_runner run_show_modally);

}  // namespace brisenfall
