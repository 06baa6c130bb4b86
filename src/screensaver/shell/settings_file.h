// The settings file "Brisenfall Screensaver.yyz": its line format, the loader and the saver.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "desktop/system_services.h"
#include "shell/shell_state.h"

namespace brisenfall {

inline constexpr const char* SETTINGS_FILE_NAME = "Brisenfall Screensaver.yyz";
inline constexpr int RESERVED_LINE_COUNT = 100;

// The application, section and key under which the installer records the data folder.
inline constexpr const char* INSTALL_PATH_APPLICATION = "Tamsk Brisenfall Screensaver";
inline constexpr const char* INSTALL_PATH_SECTION = "Config";
inline constexpr const char* INSTALL_PATH_KEY = "install_path";

// True when the value holds no CR or LF, so that it can stand on a line of the file.
bool fits_on_one_line(std::string_view value);

// The file's text, every line ended by CR LF; reserved_line() gives each reserved line's number.
// No value breaks its line: the install path is cut at a line break, and music paths holding one
// are left out of the list and its count.
std::string format_settings_file(const settings_values& values, const std::function<int()>& reserved_line);

// Reads the file's text into the values, in line order. Reading stops at the end of the text or at
// a line that is not a whole number where one is expected: what was read is kept, the rest keeps
// its earlier value, and the music list holds exactly the entries read (cfg_music_count of them
// when the count is positive). A music
// count below 1 turns custom music off. Returns true when the whole layout was read.
bool parse_settings_file(std::string_view text, settings_values& values);

// Fills the settings at start, from the file or, on first run, from the store and the defaults.
void settings_load(shell_state& shell, system_services& system);

// Writes the file from the values in memory. The text goes to a temporary file beside it that is
// then renamed over the old one, so a failed write leaves the earlier settings whole.
bool settings_save(const shell_state& shell);

}  // namespace brisenfall
