// The small shell utilities: settings folder, file test, random whole numbers, platform id,
// settings-store reads and the window-title test.
#pragma once

#include <cstdint>
#include <string>

#include "desktop/system_services.h"

namespace brisenfall {

// The path separator of this platform, appended to folders.
inline constexpr char PATH_SEPARATOR = '/';

// The text with a separator appended unless it already ends in one.
std::string with_trailing_separator(std::string folder);

// The settings folder, ending in a separator.
std::string get_windows_folder(system_services& system);

// True when the file exists and holds more than one byte.
bool file_has_content(system_services& system, const std::string& path);

// low + Int((high - low + 1) * r), r uniform in [0, 1); the generator is reseeded from the clock first.
double random_in_range(double low, double high);

int32_t read_windows_platform(system_services& system);

// A value of the settings store as text: numbers in decimal with at least three digits, "" when
// the root is unknown, the key or value absent, or the value too long for its 255-byte buffer.
std::string registry_get_value(system_services& system, int32_t root, const std::string& key_path,
                               const std::string& value_name);

// A per-user application setting: the text under HKEY_CURRENT_USER\Software\<application>\<section>.
std::string get_setting(system_services& system, const std::string& application, const std::string& section,
                        const std::string& key, const std::string& default_text);

// True when no top-level window has this title.
bool window_is_absent(system_services& system, const std::string& title);

}  // namespace brisenfall
