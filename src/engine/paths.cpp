// Data-folder paths and file checks.
#include "engine/paths.h"

#include <fstream>

namespace brisenfall {

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

}  // namespace brisenfall
