// Data-folder paths and file checks.
#include "engine/paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace varnel2d {

std::string data_folder(std::string_view filepath, std::string_view foldername) {
  std::string folder(filepath);
  if (folder.empty() || folder.back() != '/') folder += '/';
  if (!foldername.empty()) {
    folder += foldername;
    folder += '/';
  }
  return folder;
}

std::string data_file(std::string_view folder, std::string_view name, bool usefullpath) {
  if (usefullpath) return std::string(name);
  std::string file(folder);
  file += name;
  return file;
}

std::string file_name_of(std::string_view filepath) {
  const size_t cut = filepath.find_last_of("/\\");
  return std::string(cut == std::string_view::npos ? filepath : filepath.substr(cut + 1));
}

bool file_has_content(const std::string& file) {
  // A folder opens for reading too, so only a regular file (a link followed) counts.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return false;
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff length = in.tellg();
  return length >= 2;
}

void append_line(const std::string& file, std::string_view text) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  if (!out) return;
  out << text << "\r\n";
}

std::optional<std::string> read_whole_file(const std::string& path) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return std::nullopt;
  std::error_code unknown_size;
  const uintmax_t expected = std::filesystem::file_size(path, unknown_size);
  std::string bytes(unknown_size ? 0 : static_cast<size_t>(expected), '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
  // A file that grew (or whose size could not be asked) is read on to its end.
  char more[65536];
  for (size_t got = 0; (got = std::fread(more, 1, sizeof more, in)) > 0;) bytes.append(more, got);
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) return std::nullopt;
  return bytes;
}

}  // namespace varnel2d
