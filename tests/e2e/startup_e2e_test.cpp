// The real brisenfall binary started with each switch, with its own settings folder and display.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "support/child_process.h"
#include "support/temp_folder.h"
#include "support/virtual_display.h"

namespace brisenfall {
namespace {

using namespace std::chrono_literals;
using testing::child_process;
using testing::read_file;
using testing::temp_folder;
using testing::virtual_display;

class startup_e2e : public ::testing::Test {
 protected:
  std::map<std::string, std::string> environment() const {
    return {{"XDG_CONFIG_HOME", config.path().string()}, {"DISPLAY", display.name()},
            {"XDG_RUNTIME_DIR", config.path().string()}};
  }
  void register_install_path(const std::string& path) {
    std::filesystem::create_directories(config.path() / "brisenfall");
    testing::write_file(config.path() / "brisenfall" / "settings-store.ini",
                        "[HKEY_CURRENT_USER\\Software\\Tamsk Brisenfall Screensaver\\Config]\n"
                        "install_path=" + path + "\n");
  }
  std::filesystem::path settings_file() const {
    return config.path() / "brisenfall" / "Brisenfall Screensaver.yyz";
  }

  temp_folder config;
  virtual_display display;
};

TEST_F(startup_e2e, password_and_unknown_switches_end_without_a_window_or_a_display) {
  for (const char* command_line : {"/a", "/x"}) {
    child_process brisenfall({BRISENFALL_BINARY, command_line},
                             {{"XDG_CONFIG_HOME", config.path().string()}, {"DISPLAY", ""}});
    EXPECT_EQ(brisenfall.wait_for_exit(testing::exit_limit), 0) << command_line;
  }
  EXPECT_FALSE(std::filesystem::exists(config.path() / "brisenfall"));
}

TEST_F(startup_e2e, configuration_without_an_install_path_shows_the_message_and_writes_nothing) {
  child_process brisenfall({BRISENFALL_BINARY, "/c"}, environment());
  const unsigned long box = display.wait_for_window("Install Path Not Found", 10s);
  ASSERT_NE(box, 0u);
  display.xdotool("windowfocus --sync " + std::to_string(box) + " key Return");
  EXPECT_EQ(brisenfall.wait_for_exit(testing::exit_limit), 0);
  EXPECT_FALSE(std::filesystem::exists(settings_file()));
}

TEST_F(startup_e2e, configuration_with_an_install_path_writes_the_settings_and_opens_its_window) {
  register_install_path("/srv/brisenfall/data");
  child_process brisenfall({BRISENFALL_BINARY, "/c"}, environment());
  EXPECT_NE(display.wait_for_window("Brisenfall Screensaver - Configuration", 10s), 0u);
  const std::string settings = read_file(settings_file());
  EXPECT_EQ(settings.substr(0, 23), "/srv/brisenfall/data/\r\n");
  EXPECT_EQ(std::count(settings.begin(), settings.end(), '\n'), 108);
}

}  // namespace
}  // namespace brisenfall
