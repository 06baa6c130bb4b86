// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace varnel2d::testing {

class temp_folder {
 public:
  temp_folder();
  ~temp_folder();
  temp_folder(const temp_folder&) = delete;
  temp_folder& operator=(const temp_folder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder with a trailing separator, as the shell keeps folders.
  std::string data_path() const { return path_.string() + "/"; }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, std::string_view bytes);

// A settings store in `config` (the program's XDG_CONFIG_HOME) naming `install_path` as the install path.
void write_install_path(const temp_folder& config, const std::string& install_path);

}  // namespace varnel2d::testing

// The screensaver's tests reach these helpers as brisenfall::testing as well.
namespace brisenfall::testing {
using namespace varnel2d::testing;
}  // namespace brisenfall::testing
