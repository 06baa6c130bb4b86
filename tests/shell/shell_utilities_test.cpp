// The shell utilities: store reads, the file test and random whole numbers.
#include "shell/shell_utilities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "testing/recording_system_services.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

constexpr const char* DESKTOP = "Control Panel\\Desktop";

// Numbers read with at least three digits; texts up to the store's buffer; absent values, keys and
// roots read as nothing.
TEST(registry_get_value, numbers_texts_and_what_is_absent) {
  recording_system_services system("/tmp");
  system.set_number(HKEY_CURRENT_USER, DESKTOP, "one", 1);
  system.set_number(HKEY_CURRENT_USER, DESKTOP, "big", 0x01020304);
  system.set_number(HKEY_CURRENT_USER, DESKTOP, "top", 0xFFFFFFFF);
  system.set_text(HKEY_CURRENT_USER, DESKTOP, "ScreenSaveUsePassword", "1");
  system.set_text(HKEY_DYN_DATA, "k", "v", "dyn");
  system.set_text(HKEY_CURRENT_USER, DESKTOP, "long", std::string(254, 'a'));
  system.set_text(HKEY_CURRENT_USER, DESKTOP, "too long", std::string(255, 'a'));
  const auto read = [&system](const char* name) { return registry_get_value(system, HKEY_CURRENT_USER, DESKTOP, name); };
  EXPECT_EQ(std::vector({read("one"), read("big"), read("top"), read("ScreenSaveUsePassword"), read("missing"),
                         read("long"), read("too long")}),
            std::vector<std::string>({"001", "16909060", "4294967295", "1", "", std::string(254, 'a'), ""}));
  EXPECT_EQ(registry_get_value(system, HKEY_CURRENT_USER, "No\\Such\\Key", "ScreenSaveUsePassword"), "");
  EXPECT_EQ(registry_get_value(system, HKEY_DYN_DATA, "k", "v"), "dyn");
  EXPECT_EQ(registry_get_value(system, HKEY_DYN_DATA + 1, "k", "v"), "");
  EXPECT_EQ(registry_get_value(system, 0, DESKTOP, "ScreenSaveUsePassword"), "");
}

TEST(file_has_content, needs_more_than_one_byte) {
  testing::temp_folder folder;
  recording_system_services system(folder.path().string());
  for (const auto& [name, bytes] : {std::pair{"empty", ""}, {"one", "a"}, {"two", "ab"}}) {
    testing::write_file(folder.file(name), bytes);
    EXPECT_EQ(file_has_content(system, folder.file(name)), *name == 't') << name;
  }
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

}  // namespace
}  // namespace brisenfall
