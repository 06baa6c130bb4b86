// The process-wide values of the screensaver shell: the user's settings and the runtime values
// that start-up records for the other windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brisenfall {

// The user's settings, with their defaults.
struct settings_values {
  std::string cfg_install_path;  // the data folder, ending in a separator
  int16_t cfg_snow_amount = 1300;
  int16_t cfg_music_volume = 80;
  int16_t cfg_scene_time = 30;
  int16_t cfg_music_mute = 0;
  int16_t cfg_music_count = 0;
  std::vector<std::string> cfg_music_files;  // entries 1..cfg_music_count kept at 0..count-1
  int16_t cfg_custom_music = 0;
  int16_t cfg_video_depth = 16;
};

// Runtime values set at program start and the settings file's own state.
struct shell_state {
  std::string program_folder;
  std::string music_browse_folder;  // where the music dialog was left; empty until it has been open
  int16_t twips_per_pixel_x = 15;
  int16_t twips_per_pixel_y = 15;
  bool config_preview_active = false;
  int32_t preview_host_window = 0;

  settings_values settings;
  std::string settings_file_path;
  bool install_path_missing = false;
};

}  // namespace brisenfall
