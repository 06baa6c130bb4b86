// The settings file: first run from the store, the exact line layout, reading damaged files, and
// saving without ever losing the old settings.
#include "shell/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "testing/recording_system_services.h"
#include "shell/shell_utilities.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

using testing::read_file;
using testing::write_file;

// The lines of a file ended by CR LF; a last line without its end is marked.
std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return lines.push_back(text.substr(start) + "<no line end>"), lines;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class settings_file_test : public ::testing::Test {
 protected:
  void register_install_path(const std::string& path) {
    system.set_text(HKEY_CURRENT_USER, "Software\\Tamsk Brisenfall Screensaver\\Config", "install_path", path);
  }
  std::string settings_path() const { return folder.file(SETTINGS_FILE_NAME); }
  size_t files_in_folder() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder.path()), {}));
  }

  testing::temp_folder folder;
  recording_system_services system{folder.path().string()};
  shell_state shell;
};

// A file of one byte counts as no file: the defaults are written under the registered path. A
// damaged file is read as far as it goes and left as it is.
TEST_F(settings_file_test, first_run_writes_the_defaults_and_a_damaged_file_is_left_as_it_is) {
  write_file(settings_path(), "x");
  register_install_path("/d/data");
  settings_load(shell, system);

  EXPECT_EQ(std::tie(shell.install_path_missing, shell.settings.cfg_install_path, shell.settings_file_path),
            std::tuple(false, "/d/data/", settings_path()));
  const auto lines = lines_of(read_file(settings_path()));
  ASSERT_EQ(lines.size(), 108u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7),
            (std::vector<std::string>{"/d/data/", "1300", "80", "30", "0", "0", "0"}));
  for (size_t i = 7; i < 107; ++i) {
    EXPECT_GE(std::stoi(lines[i]), 1);
    EXPECT_LE(std::stoi(lines[i]), 10);
  }
  EXPECT_EQ(lines[107], "16");
  EXPECT_EQ(files_in_folder(), 1u);  // no temporary left

  const std::string damaged = "/d/data/\r\n2000\r\n";
  write_file(settings_path(), damaged);
  shell_state again;
  recording_system_services unregistered(folder.path().string());  // the path comes from the file
  settings_load(again, unregistered);
  EXPECT_EQ(std::tie(again.install_path_missing, again.settings.cfg_snow_amount), std::tuple(false, 2000));
  EXPECT_EQ(read_file(settings_path()), damaged);
}

// Five characters are the shortest path taken; one with its separator gets no second one.
TEST_F(settings_file_test, a_registered_path_shorter_than_five_is_missing_and_nothing_is_written) {
  for (const auto& [registered, taken] : {std::pair{"/dat/", "/dat/"}, {"/abc", ""}, {nullptr, ""}}) {
    SCOPED_TRACE(registered ? registered : "unregistered");
    recording_system_services fresh(folder.path().string());
    if (registered != nullptr) {
      fresh.set_text(HKEY_CURRENT_USER, "Software\\Tamsk Brisenfall Screensaver\\Config", "install_path", registered);
    }
    shell_state loaded;
    settings_load(loaded, fresh);
    EXPECT_EQ(loaded.install_path_missing, *taken == '\0');
    EXPECT_EQ(std::filesystem::exists(settings_path()), *taken != '\0');
    if (*taken != '\0') {
      EXPECT_EQ(loaded.settings.cfg_install_path, taken);
    }
    std::filesystem::remove(settings_path());
  }
}

// Even root cannot read past the file's permissions once it has given up root's rights.
TEST_F(settings_file_test, an_unreadable_file_counts_as_no_file) {
  write_file(settings_path(), "/elsewhere/\r\n1300\r\n");
  register_install_path("/d/data");
  using enum std::filesystem::perms;
  std::filesystem::permissions(folder.path(), owner_all | group_read | group_exec | others_read | others_exec);
  std::filesystem::permissions(settings_path(), none);
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && setuid(65534) != 0) std::_Exit(3);
        settings_load(shell, system);
        std::_Exit(!shell.install_path_missing && shell.settings.cfg_install_path == "/d/data/" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "brisenfall: cannot read the settings file " + settings_path());
}

// A line break inside a value would shift every later line: the path is cut, the entry left out.
TEST_F(settings_file_test, every_value_and_a_custom_music_list_round_trip_and_no_value_breaks_its_line) {
  shell.settings_file_path = settings_path();
  shell.settings = {.cfg_install_path = "/d/data/", .cfg_snow_amount = 2500, .cfg_music_volume = -7,
                    .cfg_scene_time = 120, .cfg_music_mute = 1, .cfg_music_count = 3,
                    .cfg_music_files = {"/m/a.mid", "/m/b c.rmi", "/m/d.mid"}, .cfg_custom_music = 1,
                    .cfg_video_depth = 32};
  ASSERT_TRUE(settings_save(shell));
  EXPECT_EQ(lines_of(read_file(settings_path())).size(), 111u);
  shell_state loaded;
  settings_load(loaded, system);
  const auto fields = [](const settings_values& v) {
    return std::tie(v.cfg_install_path, v.cfg_snow_amount, v.cfg_music_volume, v.cfg_scene_time, v.cfg_music_mute,
                    v.cfg_music_count, v.cfg_music_files, v.cfg_custom_music, v.cfg_video_depth);
  };
  EXPECT_EQ(fields(loaded.settings), fields(shell.settings));

  const settings_values values{.cfg_install_path = "/d/da\nta/", .cfg_music_count = 3,
                               .cfg_music_files = {"/m/a.mid", "/m/b\r\nc.mid", "/m/d\n.mid"},
                               .cfg_custom_music = 1, .cfg_video_depth = 32};
  const std::string text = format_settings_file(values, [] { return 5; });
  EXPECT_EQ(lines_of(text).size(), 109u);
  settings_values read;
  ASSERT_TRUE(parse_settings_file(text, read));
  EXPECT_EQ(std::tie(read.cfg_install_path, read.cfg_music_count, read.cfg_custom_music, read.cfg_video_depth,
                     read.cfg_music_files),
            std::tuple("/d/da", 1, 1, 32, std::vector<std::string>{"/m/a.mid"}));
}

std::string layout(const std::string& count_and_files, const std::string& custom, const std::string& depth) {
  std::string text = "/d/data/\r\n1300\r\n80\r\n30\r\n0\r\n" + count_and_files + custom + "\r\n";
  for (int i = 0; i < 100; ++i) text += "5\r\n";
  return text + depth + "\r\n";
}

// Values are taken as read, LF alone ends a line too, and custom music needs a list.
TEST(settings_parse, whole_files_take_their_values_and_custom_music_needs_a_list) {
  settings_values values;
  EXPECT_TRUE(parse_settings_file(layout("1\r\n/x.mid\r\n", "1", "24"), values));
  EXPECT_EQ(std::tie(values.cfg_video_depth, values.cfg_custom_music), std::tuple(24, 1));
  std::string lf = layout("0\r\n", "0", "32");
  std::erase(lf, '\r');
  EXPECT_TRUE(parse_settings_file(lf, values));
  EXPECT_EQ(values.cfg_video_depth, 32);

  EXPECT_TRUE(parse_settings_file(layout("0\r\n", "1", "16"), values));
  EXPECT_EQ(values.cfg_custom_music, 0);
  EXPECT_TRUE(parse_settings_file(layout("-2\r\n", "1", "32"), values));
  EXPECT_TRUE(values.cfg_custom_music == 0 && values.cfg_music_files.empty());
}

TEST(settings_parse, a_damaged_file_keeps_what_was_read_and_defaults_the_rest) {
  settings_values values;
  EXPECT_FALSE(parse_settings_file("/d/data/\r\n2000\r\n55\r\n", values));
  EXPECT_EQ(std::tie(values.cfg_install_path, values.cfg_snow_amount, values.cfg_music_volume, values.cfg_scene_time,
                     values.cfg_video_depth),
            std::tuple("/d/data/", 2000, 55, 30, 16));

  settings_values words;
  EXPECT_FALSE(parse_settings_file("/d/data/\r\n2000\r\nloud\r\n10\r\n", words));
  EXPECT_EQ(std::tie(words.cfg_snow_amount, words.cfg_music_volume, words.cfg_scene_time), std::tuple(2000, 80, 30));

  settings_values overflow;
  // The largest 16-bit number, then one past it.
  EXPECT_FALSE(parse_settings_file("/d/\r\n32767\r\n32768\r\n", overflow));
  EXPECT_EQ(overflow.cfg_snow_amount, 32767);
  EXPECT_EQ(overflow.cfg_music_volume, 80);

  settings_values cut;  // a list cut short holds the entries read
  EXPECT_FALSE(parse_settings_file("/d/\r\n1\r\n2\r\n3\r\n0\r\n32000\r\n/a.mid\r\n/b.mid\r\n", cut));
  EXPECT_EQ(std::tie(cut.cfg_music_files, cut.cfg_music_count, cut.cfg_custom_music),
            std::tuple(std::vector<std::string>{"/a.mid", "/b.mid"}, 2, 0));
}

TEST_F(settings_file_test, a_save_through_a_link_keeps_the_link_and_the_files_permissions) {
  register_install_path("/d/data");
  settings_load(shell, system);
  const std::filesystem::path real = folder.path() / "real.yyz";
  std::filesystem::rename(settings_path(), real);
  using enum std::filesystem::perms;
  std::filesystem::permissions(real, owner_read | owner_write);
  std::filesystem::create_symlink("real.yyz", settings_path());
  shell.settings.cfg_snow_amount = 100;
  ASSERT_TRUE(settings_save(shell));
  EXPECT_TRUE(std::filesystem::is_symlink(settings_path()));
  EXPECT_EQ(lines_of(read_file(real))[1], "100");
  EXPECT_EQ(std::filesystem::status(real).permissions(), owner_read | owner_write);

  shell.settings_file_path = folder.file("gone/" + std::string(SETTINGS_FILE_NAME));  // a vanished folder
  EXPECT_FALSE(settings_save(shell));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "gone"));
}

// A write cut short (a file size limit) and a read-only folder: the save fails with one line naming
// the cause, and the old file stays byte for byte with no temporary left. Each save runs in a child
// process, which for the read-only folder gives up root's rights (root writes anywhere).
TEST_F(settings_file_test, a_save_cut_short_or_into_a_read_only_folder_names_the_cause_and_keeps_the_file) {
  register_install_path("/d/data");
  settings_load(shell, system);
  const std::string before = read_file(settings_path());
  shell.settings.cfg_snow_amount = 100;
  const auto save_fails = [&](const std::function<void()>& in_child, const std::string& cause) {
    EXPECT_EXIT(
        {
          in_child();
          std::_Exit(settings_save(shell) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0),
        "brisenfall: cannot write the settings file " + settings_path() + " \\(" + cause +
            "\\); the file stays as it was");
    EXPECT_EQ(read_file(settings_path()), before) << cause;
    EXPECT_EQ(files_in_folder(), 1u) << cause;
  };
  save_fails(
      [this] {
        // Room for the message the test reads back, not for a settings file this long.
        shell.settings.cfg_install_path = std::string(8192, 'p');
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(3);
      },
      "File too large");
  using enum std::filesystem::perms;
  std::filesystem::permissions(folder.path(), owner_read | owner_exec | others_read | others_exec);
  save_fails([] { if (geteuid() == 0 && setuid(65534) != 0) std::_Exit(3); }, "Permission denied");
}

}  // namespace
}  // namespace brisenfall
