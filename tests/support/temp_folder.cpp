// Temporary folders and whole-file reads and writes for tests.
#include "support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace varnel2d::testing {

temp_folder::temp_folder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "brisenfall-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

temp_folder::~temp_folder() {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, error);
  std::filesystem::remove_all(path_, error);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void write_install_path(const temp_folder& config, const std::string& install_path) {
  std::filesystem::create_directories(config.path() / "brisenfall");
  write_file(config.path() / "brisenfall" / "settings-store.ini",
             "[HKEY_CURRENT_USER\\Software\\Tamsk Brisenfall Screensaver\\Config]\n"
             "install_path=" + install_path + "\n");
}

}  // namespace varnel2d::testing
