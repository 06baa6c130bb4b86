// The shell utilities on the system-services seam.
#include "shell/shell_utilities.h"

#include <cstdio>

#include <varnel2d/numbers.h>
#include <varnel2d/random.h>

namespace brisenfall {
namespace {

constexpr size_t REGISTRY_BUFFER_SIZE = 255;

}  // namespace

std::string with_trailing_separator(std::string folder) {
  if (folder.empty() || folder.back() != PATH_SEPARATOR) folder.push_back(PATH_SEPARATOR);
  return folder;
}

std::string get_windows_folder(system_services& system) { return with_trailing_separator(system.windows_directory()); }

bool file_has_content(system_services& system, const std::string& path) {
  const auto length = system.file_length(path);
  return length.has_value() && *length > 1;
}

double random_in_range(double low, double high) {
  varnel2d::random_reseed_from_clock();
  return low + varnel2d::int_floor((high - low + 1) * varnel2d::random_unit());
}

int32_t read_windows_platform(system_services& system) { return system.platform_id(); }

std::string registry_get_value(system_services& system, int32_t root, const std::string& key_path,
                               const std::string& value_name) {
  if (!(root < HKEY_DYN_DATA + 1)) return "";
  const auto value = system.registry_query(root, key_path, value_name);
  if (!value.has_value() || value->bytes.size() > REGISTRY_BUFFER_SIZE) return "";
  if (value->type == REG_DWORD) {
    uint32_t number = 0;
    for (size_t i = 0; i < 4 && i < value->bytes.size(); ++i)
      number |= static_cast<uint32_t>(static_cast<unsigned char>(value->bytes[i])) << (8 * i);
    char text[16];
    std::snprintf(text, sizeof text, "%03u", number);
    return text;
  }
  if (value->bytes.empty()) return "";
  return value->bytes.substr(0, value->bytes.size() - 1);
}

std::string get_setting(system_services& system, const std::string& application, const std::string& section,
                        const std::string& key, const std::string& default_text) {
  const auto value = system.registry_query(HKEY_CURRENT_USER, "Software\\" + application + "\\" + section, key);
  if (!value.has_value() || value->type != REG_SZ || value->bytes.empty()) return default_text;
  return value->bytes.substr(0, value->bytes.size() - 1);
}

bool window_is_absent(system_services& system, const std::string& title) { return !system.find_window(title); }

}  // namespace brisenfall
