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

// The show's folders for one run of the real program: `data` gets links to the files of `source`,
// and `config` (its XDG_CONFIG_HOME) a settings store naming `data` as the install path.
void make_show_folders(const std::filesystem::path& source, const temp_folder& data, const temp_folder& config);

}  // namespace varnel2d::testing

// The screensaver's tests reach these helpers as brisenfall::testing as well.
namespace brisenfall::testing {
using namespace varnel2d::testing;
}  // namespace brisenfall::testing
