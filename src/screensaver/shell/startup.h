// Program start: the runtime values, the mode switch and the dispatch to the configuration
// dialog, the show or the preview.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "desktop/system_services.h"
#include "shell/shell_state.h"

namespace brisenfall {

inline constexpr const char* SHOW_WINDOW_TITLE = "Screensaver Form";
inline constexpr const char* INSTALL_PATH_TITLE = "Install Path Not Found";
inline constexpr const char* INSTALL_PATH_TEXT =
    "Cannot find install path. Please uninstall this program, REBOOT and then re-install this program to "
    "correct this error.";

enum class startup_mode { configuration, show, preview, password, none };

// The windows start-up may open; each runs until its window closes and returns the exit code.
struct mode_entry_points {
  std::function<int(shell_state&)> configuration;
  std::function<int(shell_state&)> show;
  std::function<int(shell_state&)> preview;
};

// The mode a command line selects: its first two characters in upper case, empty meaning "/C".
startup_mode mode_of(std::string_view command_line);

// The preview host window: the command line after its switch, read as a decimal number.
int32_t preview_host_of(std::string_view command_line);

// The program's own folder, ending in a separator.
std::string program_folder_of(const std::string& executable_path);

// Loads the settings; false, after the install-path message, when no data folder is known.
bool load_settings_with_install_path(shell_state& shell, system_services& system);

// Runs the start-up for a command line (everything after the program name) and returns the exit code.
int program_start(std::string_view command_line, const std::string& executable_path, shell_state& shell,
                  system_services& system, const mode_entry_points& windows);

}  // namespace brisenfall
