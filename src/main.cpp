// The brisenfall program: reads the screensaver switch and opens the window it asks for.
#include <filesystem>
#include <string>

#include "dialogs/placeholder_window.h"
#include "platform/desktop_system_services.h"
#include "platform/qt_application.h"
#include "shell/startup.h"

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

  const mode_entry_points windows{
      [](shell_state&) {
        return run_placeholder_window("Brisenfall Screensaver - Configuration",
                                      "The configuration dialog is not there yet.");
      },
      [](shell_state&) { return run_placeholder_window(SHOW_WINDOW_TITLE, "The snow show is not there yet."); },
      [](shell_state&) {
        return run_placeholder_window("Brisenfall Screensaver - Preview", "The preview is not there yet.");
      },
  };
  const qt_application_scope qt_application;
  shell_state shell;
  desktop_system_services system;
  return program_start(command_line, executable, shell, system, windows);
}
