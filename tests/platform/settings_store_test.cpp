// The settings store file: sections by key path, text and number values, and the real folder.
#include "desktop/settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "desktop/desktop_system_services.h"
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

constexpr std::string_view STORE =
    "; written by the installer\r\n"
    "[HKEY_CURRENT_USER\\Software\\Tamsk Brisenfall Screensaver\\Config]\r\n"
    "install_path = /opt/brisenfall/data/\r\n"
    "install_path=/second/occurrence/\r\n"
    "[hkey_current_user\\control panel\\desktop]\r\n"
    "ScreenSaveUsePassword=dword:0000000A\r\n"
    "Broken=dword:12x\r\n"
    "Wallpaper=\r\n";

TEST(settings_store_lookup, finds_texts_and_numbers_by_section_and_name_and_nothing_absent_or_malformed) {
  const std::tuple<const char*, const char*, uint32_t, std::string> found[] = {
      {"Software\\Tamsk Brisenfall Screensaver\\Config", "INSTALL_PATH", REG_SZ,
       std::string("/opt/brisenfall/data/") + '\0'},
      {"Control Panel\\Desktop", "ScreenSaveUsePassword", REG_DWORD, std::string("\x0A\0\0\0", 4)},
      {"Control Panel\\Desktop", "Wallpaper", REG_SZ, std::string(1, '\0')}};
  for (const auto& [section, name, type, bytes] : found) {
    const auto value = settings_store_lookup(STORE, HKEY_CURRENT_USER, section, name);
    ASSERT_TRUE(value.has_value()) << name;
    EXPECT_EQ(value->type, type) << name;
    EXPECT_EQ(value->bytes, bytes) << name;
  }
  EXPECT_FALSE(settings_store_lookup(STORE, HKEY_LOCAL_MACHINE, "Control Panel\\Desktop", "ScreenSaveUsePassword"));
  EXPECT_FALSE(settings_store_lookup(STORE, HKEY_CURRENT_USER, "Control Panel", "ScreenSaveUsePassword"));
  EXPECT_FALSE(settings_store_lookup(STORE, HKEY_CURRENT_USER, "Control Panel\\Desktop", "Broken"));
  EXPECT_FALSE(settings_store_lookup(STORE, 12345, "Control Panel\\Desktop", "ScreenSaveUsePassword"));
  EXPECT_FALSE(settings_store_lookup("[unterminated\r\nx=1\r\n", HKEY_CURRENT_USER, "x", "x"));
}

TEST(desktop_system_services, keeps_its_files_under_the_xdg_config_folder) {
  testing::temp_folder home;
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = previous != nullptr ? previous : "";
  setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);

  desktop_system_services system;
  const std::string folder = system.windows_directory();
  EXPECT_EQ(folder, (home.path() / "brisenfall").string());
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  testing::write_file(folder + "/settings-store.ini", STORE);
  const auto value = system.registry_query(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, REG_DWORD);
  EXPECT_EQ(system.file_length(folder + "/settings-store.ini"), static_cast<int64_t>(STORE.size()));
  EXPECT_FALSE(system.file_length(folder).has_value());
  EXPECT_TRUE(system.delete_file(folder + "/settings-store.ini"));
  EXPECT_FALSE(system.file_length(folder + "/settings-store.ini").has_value());
  EXPECT_EQ(system.platform_id(), 2);

  if (previous != nullptr) setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace brisenfall
