// The brisenfall program: reads the screensaver switch, or the options of a run inside a
// screensaver host, and opens the window they ask for.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "dialogs/configuration_mode.h"
#include "dialogs/midi_preview_player.h"
#include "desktop/desktop_system_services.h"
#include "desktop/qt_application.h"
#include <varnel2d/termination_signals.h>
#include "desktop/x11_preview_host.h"
#include "shell/artwork_files.h"
#include "shell/preview.h"
#include "shell/run_options.h"
#include "shell/settings_file.h"
#include "shell/shell_utilities.h"
#include "shell/startup.h"
#include "show/hosted_show.h"
#include "show/show_entry.h"

int main(int argc, char** argv) {
  using namespace brisenfall;
  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  std::error_code error;
  std::string executable = std::filesystem::read_symlink("/proc/self/exe", error).string();
  if (error) executable = argv[0];

  varnel2d::leave_termination_signals_to_the_program();
  const qt_application_scope qt_application;
  desktop_system_services system;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (has_run_options(arguments)) return run_with_options(arguments, executable, system, std::cout, std::cerr);

  shell_state shell;
  midi_preview_player music_player;
  const mode_entry_points windows{
      [&system, &music_player](shell_state& s) {
        return run_configuration_dialog(s, system, music_player, [&system](shell_state& shown) { run_show(shown, system); });
      },
      [&system](shell_state& s) { return run_show(s, system); },
      [&system](shell_state& s) {
        // Preview mode loads no settings: the picture comes from the data folder the installer registered.
        const std::string data_folder = with_trailing_separator(
            get_setting(system, INSTALL_PATH_APPLICATION, INSTALL_PATH_SECTION, INSTALL_PATH_KEY, ""));
        x11_preview_host host(data_folder + PREVIEW_PICTURE_FILE);
        return frmPreview(s, host).run();
      },
  };
  return program_start(command_line, executable, shell, system, windows);
}
