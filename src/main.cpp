// The brisenfall program: reads the screensaver switch and opens the window it asks for.
#include <filesystem>
#include <string>

#include "dialogs/configuration_mode.h"
#include "dialogs/placeholder_window.h"
#include "platform/desktop_system_services.h"
#include "platform/qt_application.h"
#include "platform/x11_preview_host.h"
#include "shell/artwork_files.h"
#include "shell/preview.h"
#include "shell/settings_file.h"
#include "shell/shell_utilities.h"
#include "shell/startup.h"

namespace {

// Stands in for the engine's MIDI player until the audio library joins the build: the music
// dialog's previews are silent for now.
class silent_music_preview_player final : public brisenfall::music_preview_player {
 public:
  void play(const std::string&) override {}
  void stop() override {}
};

// The show a test run from the configuration dialog opens, modally; the stand-in until the show lands.
void run_test_show(brisenfall::shell_state&) {
  brisenfall::run_placeholder_window(brisenfall::SHOW_WINDOW_TITLE, "The snow show is not there yet.");
}

}  // namespace

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

  const qt_application_scope qt_application;
  shell_state shell;
  desktop_system_services system;
  silent_music_preview_player music_player;
  const mode_entry_points windows{
      [&system, &music_player](shell_state& s) { return run_configuration_dialog(s, system, music_player, run_test_show); },
      [](shell_state&) { return run_placeholder_window(SHOW_WINDOW_TITLE, "The snow show is not there yet."); },
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
