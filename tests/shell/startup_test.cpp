// Program start: the switch, the preview host number and the dispatch to the three windows.
#include "shell/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/recording_system_services.h"
#include "shell/settings_file.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

// The first two characters in upper case choose the mode; the preview's host is a decimal number
// after blanks, rounded and held to 32 bits.
TEST(mode_of, reads_the_switch_and_the_preview_host) {
  using enum startup_mode;
  for (const auto& [command_line, mode] :
       {std::pair{"", configuration}, {"/c", configuration}, {"/C:1234", configuration}, {"/s", show},
        {"/Show", show}, {"/p 1234", preview}, {"/a", password}, {"/x", none}, {"-s", none}, {"/", none}})
    EXPECT_EQ(mode_of(command_line), mode) << command_line;
  for (const auto& [command_line, host] :
       {std::pair{"/p 1234", 1234}, {"/P   77 extra", 77}, {"/p", 0}, {"/p:1234", 0}, {"/p 0", 0}, {"/p 12.5", 12},
        {"/p 13.5", 14}, {"/p 99999999999", INT32_MAX}})
    EXPECT_EQ(preview_host_of(command_line), host) << command_line;
}

class startup_test : public ::testing::Test {
 protected:
  int start(std::string_view command_line) {
    return program_start(command_line, "/usr/games/brisenfall", shell, system, windows);
  }
  void register_install_path() {
    system.set_text(HKEY_CURRENT_USER, "Software\\Tamsk Brisenfall Screensaver\\Config", "install_path", "/d/data");
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

// Password and unknown switches open nothing, yet the runtime values are set at every start;
// configuration and show load the settings, a preview takes only the host.
TEST_F(startup_test, each_switch_opens_its_window_or_nothing_after_recording_the_runtime_values) {
  register_install_path();
  shell.config_preview_active = true;
  shell.music_browse_folder = "/old/";
  for (const char* command_line : {"/a", "/z", "s"}) EXPECT_EQ(start(command_line), 0);
  EXPECT_EQ(std::tuple(shell.config_preview_active, shell.program_folder, shell.music_browse_folder,
                       shell.twips_per_pixel_x, shell.twips_per_pixel_y),
            std::tuple(false, "/usr/games/", "", 15, 15));
  EXPECT_TRUE(opened.empty() && system.messages.empty() && !settings_written());
  for (const char* command_line : {"/p 1234", "/p", "/p:1234"}) start(command_line);
  EXPECT_FALSE(settings_written());
  for (const char* command_line : {"", "/c:1234", "/s"}) start(command_line);
  EXPECT_EQ(opened, (std::vector<std::string>{"preview 1234", "preview 0", "preview 0", "configuration",
                                              "configuration", "show"}));
  EXPECT_EQ(shell.settings.cfg_install_path, "/d/data/");
  EXPECT_TRUE(settings_written());

  // A second show ends at once, before it reads or writes anything.
  testing::temp_folder other;
  recording_system_services busy(other.path().string());
  busy.add_window("Screensaver Form");
  shell_state second;
  EXPECT_EQ(program_start("/S", "/usr/games/brisenfall", second, busy, windows), 0);
  EXPECT_EQ(opened.size(), 6u);
  EXPECT_FALSE(std::filesystem::exists(other.file(SETTINGS_FILE_NAME)));
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

}  // namespace
}  // namespace brisenfall
