// The shell utilities: store reads, folders, the file test and random whole numbers.
#include "shell/shell_utilities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "testing/recording_system_services.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

using testing::temp_folder;
using testing::write_file;

constexpr const char* DESKTOP = "Control Panel\\Desktop";

TEST(registry_get_value, numbers_read_with_at_least_three_digits) {
  recording_system_services system("/tmp");
  system.set_number(HKEY_CURRENT_USER, DESKTOP, "one", 1);
  system.set_number(HKEY_CURRENT_USER, DESKTOP, "big", 0x01020304);
  system.set_number(HKEY_CURRENT_USER, DESKTOP, "top", 0xFFFFFFFF);
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, DESKTOP, "one"), "001");
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, DESKTOP, "big"), "16909060");
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, DESKTOP, "top"), "4294967295");
}

TEST(registry_get_value, texts_absent_values_and_roots) {
  recording_system_services system("/tmp");
  system.set_text(HKEY_CURRENT_USER, DESKTOP, "ScreenSaveUsePassword", "1");
  system.set_text(HKEY_DYN_DATA, "k", "v", "dyn");
  system.set_text(HKEY_CURRENT_USER, DESKTOP, "long", std::string(254, 'a'));
  system.set_text(HKEY_CURRENT_USER, DESKTOP, "too long", std::string(255, 'a'));
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, DESKTOP, "ScreenSaveUsePassword"), "1");
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, DESKTOP, "missing"), "");
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, "No\\Such\\Key", "ScreenSaveUsePassword"), "");
  EXPECT_EQ(registry_get_value(system, HKEY_DYN_DATA, "k", "v"), "dyn");
  EXPECT_EQ(registry_get_value(system, HKEY_DYN_DATA + 1, "k", "v"), "");
  EXPECT_EQ(registry_get_value(system, 0, DESKTOP, "ScreenSaveUsePassword"), "");
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, DESKTOP, "long").size(), 254u);
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, DESKTOP, "too long"), "");
}

TEST(get_setting, reads_the_application_section_or_the_default) {
  recording_system_services system("/tmp");
  system.set_text(HKEY_CURRENT_USER, "Software\\App\\Config", "install_path", "/opt/data/");
  EXPECT_EQ(get_setting(system, "App", "Config", "install_path", ""), "/opt/data/");
  EXPECT_EQ(get_setting(system, "App", "Other", "install_path", "none"), "none");
}

TEST(get_windows_folder, gets_exactly_one_trailing_separator) {
  recording_system_services bare("/home/u/.config/brisenfall");
  recording_system_services ended("/home/u/.config/brisenfall/");
  EXPECT_EQ(get_windows_folder(bare), "/home/u/.config/brisenfall/");
  EXPECT_EQ(get_windows_folder(ended), "/home/u/.config/brisenfall/");
}

TEST(file_has_content, needs_more_than_one_byte) {
  temp_folder folder;
  recording_system_services system(folder.path().string());
  write_file(folder.file("empty"), "");
  write_file(folder.file("one"), "a");
  write_file(folder.file("two"), "ab");
  EXPECT_FALSE(file_has_content(system, folder.file("empty")));
  EXPECT_FALSE(file_has_content(system, folder.file("one")));
  EXPECT_TRUE(file_has_content(system, folder.file("two")));
  EXPECT_FALSE(file_has_content(system, folder.file("missing")));
  EXPECT_FALSE(file_has_content(system, folder.path().string()));
}

TEST(random_in_range, whole_numbers_within_bounds_that_vary_between_quick_draws) {
  std::set<double> seen;
  for (int i = 0; i < 2000; ++i) {
    const double value = random_in_range(1, 10);
    ASSERT_GE(value, 1);
    ASSERT_LE(value, 10);
    ASSERT_EQ(value, std::floor(value));
    seen.insert(value);
  }
  // Draws made within the same millisecond must not repeat one value.
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_EQ(random_in_range(7, 7), 7);
}

TEST(window_is_absent, follows_the_window_lookup) {
  recording_system_services system("/tmp");
  EXPECT_TRUE(window_is_absent(system, "Screensaver Form"));
  system.add_window("Screensaver Form");
  EXPECT_FALSE(window_is_absent(system, "Screensaver Form"));
  EXPECT_EQ(read_windows_platform(system), 2);
}

}  // namespace
}  // namespace brisenfall
