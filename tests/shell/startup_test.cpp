// Program start: the switch, the preview host number and the dispatch to the three windows.
#include "shell/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/recording_system_services.h"
#include "shell/settings_file.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

TEST(mode_of, reads_the_first_two_characters_in_upper_case) {
  EXPECT_EQ(mode_of(""), startup_mode::configuration);
  EXPECT_EQ(mode_of("/c"), startup_mode::configuration);
  EXPECT_EQ(mode_of("/C:1234"), startup_mode::configuration);
  EXPECT_EQ(mode_of("/s"), startup_mode::show);
  EXPECT_EQ(mode_of("/Show"), startup_mode::show);
  EXPECT_EQ(mode_of("/p 1234"), startup_mode::preview);
  EXPECT_EQ(mode_of("/a"), startup_mode::password);
  EXPECT_EQ(mode_of("/x"), startup_mode::none);
  EXPECT_EQ(mode_of("-s"), startup_mode::none);
  EXPECT_EQ(mode_of("/"), startup_mode::none);
}

TEST(preview_host_of, reads_a_decimal_number_after_blanks) {
  EXPECT_EQ(preview_host_of("/p 1234"), 1234);
  EXPECT_EQ(preview_host_of("/P   77 extra"), 77);
  EXPECT_EQ(preview_host_of("/p"), 0);
  EXPECT_EQ(preview_host_of("/p:1234"), 0);
  EXPECT_EQ(preview_host_of("/p 0"), 0);
  EXPECT_EQ(preview_host_of("/p 12.5"), 12);
  EXPECT_EQ(preview_host_of("/p 13.5"), 14);
  EXPECT_EQ(preview_host_of("/p 99999999999"), INT32_MAX);
}

class startup_test : public ::testing::Test {
 protected:
  int start(std::string_view command_line) {
    return program_start(command_line, "/usr/games/brisenfall", shell, system, windows);
  }
  void register_install_path(const std::string& path) {
    system.set_text(HKEY_CURRENT_USER, "Software\\Tamsk Brisenfall Screensaver\\Config", "install_path", path);
  }
  bool settings_written() const { return std::filesystem::exists(folder.file(SETTINGS_FILE_NAME)); }

  testing::temp_folder folder;
  recording_system_services system{folder.path().string()};
  shell_state shell;
  std::vector<std::string> opened;
  mode_entry_points windows{
      [this](shell_state&) { opened.push_back("configuration"); return 0; },
      [this](shell_state&) { opened.push_back("show"); return 0; },
      [this](shell_state& s) { opened.push_back("preview " + std::to_string(s.preview_host_window)); return 0; },
  };
};

TEST_F(startup_test, records_the_runtime_values) {
  shell.config_preview_active = true;
  start("/a");
  EXPECT_FALSE(shell.config_preview_active);
  EXPECT_EQ(shell.program_folder, "/usr/games/");
  EXPECT_EQ(shell.music_browse_folder, "");
  EXPECT_EQ(shell.twips_per_pixel_x, 15);
  EXPECT_EQ(shell.twips_per_pixel_y, 15);
}

TEST_F(startup_test, configuration_loads_the_settings_then_opens_the_dialog) {
  register_install_path("/d/data");
  start("");
  start("/c:1234");
  EXPECT_EQ(opened, (std::vector<std::string>{"configuration", "configuration"}));
  EXPECT_EQ(shell.settings.cfg_install_path, "/d/data/");
  EXPECT_TRUE(settings_written());
}

TEST_F(startup_test, a_missing_install_path_shows_the_message_and_opens_nothing) {
  for (const char* command_line : {"/c", "/s"}) {
    system.messages.clear();
    start(command_line);
    ASSERT_EQ(system.messages.size(), 1u) << command_line;
    EXPECT_EQ(system.messages[0].title, "Install Path Not Found");
    EXPECT_EQ(system.messages[0].text,
              "Cannot find install path. Please uninstall this program, REBOOT and then re-install this program "
              "to correct this error.");
  }
  EXPECT_TRUE(opened.empty());
  EXPECT_FALSE(settings_written());
}

TEST_F(startup_test, show_starts_unless_a_show_window_exists) {
  register_install_path("/d/data");
  start("/s");
  EXPECT_EQ(opened, std::vector<std::string>{"show"});

  testing::temp_folder other;
  recording_system_services busy(other.path().string());
  busy.add_window("Screensaver Form");
  shell_state second;
  EXPECT_EQ(program_start("/S", "/usr/games/brisenfall", second, busy, windows), 0);
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(other.file(SETTINGS_FILE_NAME)));
}

TEST_F(startup_test, preview_takes_the_host_without_loading_settings) {
  register_install_path("/d/data");
  start("/p 1234");
  start("/p");
  start("/p:1234");
  EXPECT_EQ(opened, (std::vector<std::string>{"preview 1234", "preview 0", "preview 0"}));
  EXPECT_FALSE(settings_written());
}

TEST_F(startup_test, password_and_unknown_switches_open_nothing) {
  register_install_path("/d/data");
  EXPECT_EQ(start("/a"), 0);
  EXPECT_EQ(start("/z"), 0);
  EXPECT_EQ(start("s"), 0);
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(system.messages.empty());
  EXPECT_FALSE(settings_written());
}

}  // namespace
}  // namespace brisenfall
