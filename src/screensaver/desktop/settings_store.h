// The settings store: one small text file of sections named by key path and values by name.
//
//   ; comment
//   [HKEY_CURRENT_USER\Software\Tamsk Brisenfall Screensaver\Config]
//   install_path=/home/me/brisenfall/data/
//   [HKEY_CURRENT_USER\Control Panel\Desktop]
//   ScreenSaveUsePassword=dword:00000001
//
// A value is text, or a 32-bit number written "dword:" and eight hex digits. Section and value
// names compare without regard to case; the first occurrence wins.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "desktop/system_services.h"

namespace brisenfall {

inline constexpr const char* SETTINGS_STORE_FILE_NAME = "settings-store.ini";

// The name a root key has in section headers ("HKEY_CURRENT_USER"); empty for an unknown root.
std::string_view root_key_name(int32_t root);

// Looks a value up in the store's text.
std::optional<registry_value> settings_store_lookup(std::string_view store_text, int32_t root,
                                                    std::string_view key_path, std::string_view value_name);

}  // namespace brisenfall
