// Loading and saving the settings file.
#include "shell/settings_file.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <vector>

#include <varnel2d/files.h>
#include <varnel2d/numbers.h>
#include "shell/shell_utilities.h"

namespace brisenfall {
namespace {

constexpr std::string_view LINE_END = "\r\n";

// Splits text into lines ended by LF or CR LF; a last line without an end counts too.
class line_reader {
 public:
  explicit line_reader(std::string_view text) : text_(text) {}

  std::optional<std::string_view> next() {
    if (text_.empty()) return std::nullopt;
    const size_t end = text_.find('\n');
    std::string_view line = text_.substr(0, end);
    text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  std::optional<int16_t> next_number() {
    const auto line = next();
    if (!line.has_value()) return std::nullopt;
    return whole_number(*line);
  }

 private:
  // A line holding one decimal number and nothing else but blanks, within the 16-bit range.
  static std::optional<int16_t> whole_number(std::string_view line) {
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.remove_suffix(1);
    size_t i = 0;
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) ++i;
    const size_t digits_start = i;
    while (i < line.size() && (std::isdigit(static_cast<unsigned char>(line[i])) || line[i] == '.')) ++i;
    if (i == digits_start || i != line.size()) return std::nullopt;
    const double value = varnel2d::leading_number(line);
    if (value < INT16_MIN - 0.5 || value > INT16_MAX + 0.5) return std::nullopt;
    return varnel2d::to_int16(value);
  }

  std::string_view text_;
};

void append_line(std::string& text, std::string_view line) {
  text.append(line);
  text.append(LINE_END);
}

void append_number(std::string& text, int number) { append_line(text, std::to_string(number)); }

// The whole file; nothing, with errno telling why, when it cannot be opened or a read fails.
std::optional<std::string> read_settings_text(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string text;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  const int failure = std::ferror(file) != 0 ? errno : 0;
  std::fclose(file);
  if (failure == 0) return text;
  errno = failure;
  return std::nullopt;
}

}  // namespace

bool fits_on_one_line(std::string_view value) { return value.find_first_of("\r\n") == std::string_view::npos; }

std::string format_settings_file(const settings_values& values, const std::function<int()>& reserved_line) {
  // A line break inside a value would shift every later line: the install path is cut at its first
  // break, and a music path holding one is left out of the list (and of its count).
  const std::string_view install_path = values.cfg_install_path;
  std::vector<std::string_view> music_files;
  for (int i = 0; i < values.cfg_music_count && i < static_cast<int>(values.cfg_music_files.size()); ++i)
    if (fits_on_one_line(values.cfg_music_files[static_cast<size_t>(i)]))
      music_files.emplace_back(values.cfg_music_files[static_cast<size_t>(i)]);
  const int count = values.cfg_music_count <= 0 ? values.cfg_music_count : static_cast<int>(music_files.size());

  std::string text;
  append_line(text, install_path.substr(0, install_path.find_first_of("\r\n")));
  append_number(text, values.cfg_snow_amount);
  append_number(text, values.cfg_music_volume);
  append_number(text, values.cfg_scene_time);
  append_number(text, values.cfg_music_mute);
  append_number(text, count);
  for (const std::string_view file : music_files) append_line(text, file);
  append_number(text, values.cfg_custom_music);
  for (int i = 0; i < RESERVED_LINE_COUNT; ++i) append_number(text, reserved_line());
  append_number(text, values.cfg_video_depth);
  return text;
}

bool parse_settings_file(std::string_view text, settings_values& values) {
  line_reader reader(text);
  const auto finish = [&values](bool complete) {
    if (values.cfg_music_count < 1) values.cfg_custom_music = 0;
    return complete;
  };

  const auto install_path = reader.next();
  if (!install_path.has_value()) return finish(false);
  values.cfg_install_path = std::string(*install_path);

  for (int16_t* field : {&values.cfg_snow_amount, &values.cfg_music_volume, &values.cfg_scene_time,
                         &values.cfg_music_mute}) {
    const auto number = reader.next_number();
    if (!number.has_value()) return finish(false);
    *field = *number;
  }

  const auto count = reader.next_number();
  if (!count.has_value()) return finish(false);
  values.cfg_music_files.clear();
  values.cfg_music_count = 0;
  for (int i = 0; i < *count; ++i) {
    const auto path = reader.next();
    if (!path.has_value()) return finish(false);
    values.cfg_music_files.emplace_back(*path);
    values.cfg_music_count = static_cast<int16_t>(values.cfg_music_files.size());
  }
  values.cfg_music_count = *count;

  const auto custom = reader.next_number();
  if (!custom.has_value()) return finish(false);
  values.cfg_custom_music = *custom;

  for (int i = 0; i < RESERVED_LINE_COUNT; ++i)
    if (!reader.next_number().has_value()) return finish(false);

  const auto depth = reader.next_number();
  if (!depth.has_value()) return finish(false);
  values.cfg_video_depth = *depth;
  return finish(true);
}

void settings_load(shell_state& shell, system_services& system) {
  shell.install_path_missing = false;
  shell.settings_file_path = get_windows_folder(system) + SETTINGS_FILE_NAME;

  if (file_has_content(system, shell.settings_file_path)) {
    // A file that cannot be read counts as no file: the data folder comes from the store again.
    if (const auto text = read_settings_text(shell.settings_file_path)) {
      if (!parse_settings_file(*text, shell.settings))
        std::cerr << "brisenfall: the settings file " << shell.settings_file_path
                  << " ends early or holds an unreadable line; the rest of the settings keep their defaults\n";
      return;
    }
    std::cerr << "brisenfall: cannot read the settings file " << shell.settings_file_path << " ("
              << std::strerror(errno) << "); the defaults are used\n";
  }

  shell.settings.cfg_install_path =
      get_setting(system, INSTALL_PATH_APPLICATION, INSTALL_PATH_SECTION, INSTALL_PATH_KEY, "");
  if (shell.settings.cfg_install_path.size() < 5) {
    shell.install_path_missing = true;
    return;
  }
  const std::string install_path = with_trailing_separator(shell.settings.cfg_install_path);
  shell.settings = settings_values{};
  shell.settings.cfg_install_path = install_path;
  settings_save(shell);
}

bool settings_save(const shell_state& shell) {
  const std::string text =
      format_settings_file(shell.settings, [] { return static_cast<int>(random_in_range(1, 10)); });
  std::error_code error;
  if (!varnel2d::replace_file(shell.settings_file_path, {text}, error)) {
    std::cerr << "brisenfall: cannot write the settings file " << shell.settings_file_path << " (" << error.message()
              << "); the file stays as it was\n";
    return false;
  }
  return true;
}

}  // namespace brisenfall
