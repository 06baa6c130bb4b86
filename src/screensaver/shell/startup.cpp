// Program start and the dispatch on the screensaver switch.
#include "shell/startup.h"

#include <cctype>
#include <filesystem>

#include <varnel2d/numbers.h>
#include "shell/settings_file.h"
#include "shell/shell_utilities.h"

namespace brisenfall {
namespace {

constexpr int16_t TWIPS_PER_PIXEL_AT_96_DPI = 15;

}  // namespace

bool load_settings_with_install_path(shell_state& shell, system_services& system) {
  settings_load(shell, system);
  if (!shell.install_path_missing) return true;
  system.message_box(INSTALL_PATH_TITLE, INSTALL_PATH_TEXT);
  return false;
}

startup_mode mode_of(std::string_view command_line) {
  std::string key(command_line.substr(0, 2));
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (key.empty() || key == "/C") return startup_mode::configuration;
  if (key == "/S") return startup_mode::show;
  if (key == "/P") return startup_mode::preview;
  if (key == "/A") return startup_mode::password;
  return startup_mode::none;
}

int32_t preview_host_of(std::string_view command_line) {
  return varnel2d::to_int32(varnel2d::leading_number(command_line.size() > 2 ? command_line.substr(2) : std::string_view()));
}

std::string program_folder_of(const std::string& executable_path) {
  return with_trailing_separator(std::filesystem::path(executable_path).parent_path().string());
}

int program_start(std::string_view command_line, const std::string& executable_path, shell_state& shell,
                  system_services& system, const mode_entry_points& windows) {
  shell.config_preview_active = false;
  shell.program_folder = program_folder_of(executable_path);
  // No browse folder is remembered yet: the music dialog starts in the user's music.
  shell.music_browse_folder.clear();
  shell.twips_per_pixel_x = TWIPS_PER_PIXEL_AT_96_DPI;
  shell.twips_per_pixel_y = TWIPS_PER_PIXEL_AT_96_DPI;

  switch (mode_of(command_line)) {
    case startup_mode::configuration:
      if (!load_settings_with_install_path(shell, system)) return 0;
      return windows.configuration(shell);
    case startup_mode::show:
      if (!window_is_absent(system, SHOW_WINDOW_TITLE)) return 0;
      if (!load_settings_with_install_path(shell, system)) return 0;
      return windows.show(shell);
    case startup_mode::preview:
      shell.preview_host_window = preview_host_of(command_line);
      return windows.preview(shell);
    case startup_mode::password:
    case startup_mode::none:
      return 0;
  }
  return 0;
}

}  // namespace brisenfall
